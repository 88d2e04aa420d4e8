// The frame template: one outline read from a VOD data file, kept by the program as a single
// CVellFrame whose content is replaced by every capture that uses a template. Reading never
// replaces the current content unless the whole file is sound.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace snapwell {

// Why a template or a template list could not be read.
enum class TemplateError : std::uint8_t {
  None,
  FileNotFound,    // the file or its folder does not exist
  FileUnreadable,  // it exists but cannot be read (access denied, device error)
  EndsEarly,       // the data stops inside a field group (title, box, count or a record)
  WrongField,      // a field of the wrong type or out of range
  BadSize,         // Width or Height of 1 or less: the outline cannot be stretched
  BadCount,        // DataNum is negative
  MissingRecords,  // DataNum promises more records than the file holds
  NoSuchEntry,     // the list has no entry of the number asked for
};

struct TemplateReadResult {
  TemplateError error = TemplateError::None;
  std::string file;  // the file concerned, as opened (resolved against the program folder)
  FileError fileError = FileError::None;
  int field = 0;              // number of the offending field in the file, counting from 1
  int line = 0;               // its line
  std::int32_t expected = 0;  // MissingRecords: DataNum; NoSuchEntry: the entry asked for
  std::int32_t found = 0;     // MissingRecords: records present; NoSuchEntry: entries present
  bool inList = false;        // the failure is in the VOL list rather than a VOD file

  bool Ok() const { return error == TemplateError::None; }
};

// The whole text of a list or template file; a path without a drive or root lies in the program
// folder (ResolvePath with appFolder), never the current directory. On failure `failure` holds
// FileNotFound (also for a missing folder or a bad name) or FileUnreadable, and the file.
std::optional<std::string> ReadTemplateFile(const FileSystem& files, std::string_view path,
                                            std::string_view appFolder, TemplateReadResult& failure);

// One drawing record: the command string and operands 0..8 (0 always stays 0).
struct VodRecord {
  std::string command;
  std::array<float, 9> value{};
};

class CVellFrame {
 public:
  CVellFrame() = default;

  const std::string& Title() const { return title_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  float Left() const { return left_; }
  float Top() const { return top_; }
  // Record index 1..DataNum; outside that "" (and 0 from Value), never a fault.
  std::string ObjectType(std::int32_t index) const;
  // Operand 0..8 of a record.
  float Value(std::int32_t index, std::int16_t operand) const;
  std::int32_t DataNum() const { return dataNum_; }
  float Version() const { return 1.1f; }

  // Every record is a line with operands 5..8 zero or an arc with operands 5 and 8 zero.
  bool IsSupported() const;

  // Reads a VOD file; on failure the frame keeps what it held and the result says why.
  TemplateReadResult ReadVODFile(const FileSystem& files, std::string_view path, std::string_view appFolder);
  // Reads entry `entry` (from 1) of a VOL list, then that entry's VOD file.
  TemplateReadResult ReadVODFileWithVOL(const FileSystem& files, std::string_view listPath,
                                        std::int16_t entry, std::string_view appFolder);

  // Parses VOD text already in memory (file names the source in the result).
  TemplateReadResult ParseVOD(std::string_view data, std::string_view file);

 private:
  std::string title_;
  float width_ = 0;
  float height_ = 0;
  float left_ = 0;
  float top_ = 0;
  std::int32_t dataNum_ = 0;
  std::vector<VodRecord> records_;  // records_[i - 1] is record i
};

}  // namespace snapwell
