#include "frames/template_list.h"

#include <utility>

#include "frames/field_reader.h"
#include "platform/paths.h"

namespace snapwell {

TemplateListResult ParseTemplateList(std::string_view data, std::string_view file, int maxEntries) {
  TemplateListResult result;
  FieldReader reader(data);
  while (static_cast<int>(result.entries.size()) < maxEntries && !reader.AtEnd()) {
    TemplateListEntry entry;
    FieldStatus status = reader.ReadString(entry.title);
    if (status == FieldStatus::Ok) status = reader.ReadString(entry.path);
    if (status != FieldStatus::Ok) {
      result.status.error =
          status == FieldStatus::EndOfData ? TemplateError::EndsEarly : TemplateError::WrongField;
      result.status.file = std::string(file);
      result.status.field = reader.FieldNumber();
      result.status.line = reader.Line();
      return result;
    }
    result.entries.push_back(std::move(entry));
  }
  return result;
}

TemplateListResult ReadTemplateList(const FileSystem& files, std::string_view listPath,
                                    std::string_view appFolder, int maxEntries) {
  TemplateListResult result;
  const auto data = ReadTemplateFile(files, listPath, appFolder, result.status);
  if (!data) return result;
  return ParseTemplateList(*data, ResolvePath(listPath, appFolder), maxEntries);
}

}  // namespace snapwell
