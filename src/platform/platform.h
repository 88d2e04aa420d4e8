// Everything the portable core needs from the operating system, handed around as one bundle.
#pragma once

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/output_devices.h"
#include "platform/screen.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/timers.h"
#include "platform/user_interface.h"

namespace snapwell {

struct Platform {
  SettingsStore& store;
  FileSystem& files;
  Screen& screen;
  UserInterface& ui;
  Timers& timers;
  Desktop& desktop;
  Shell& shell;
  OutputDevices& output;
};

}  // namespace snapwell
