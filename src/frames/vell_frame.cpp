#include "frames/vell_frame.h"

#include <utility>

#include "frames/field_reader.h"
#include "frames/template_list.h"
#include "platform/paths.h"

namespace snapwell {
namespace {

TemplateError FromFieldStatus(FieldStatus status) {
  return status == FieldStatus::EndOfData ? TemplateError::EndsEarly : TemplateError::WrongField;
}

TemplateReadResult Failure(TemplateError error, std::string_view file, const FieldReader& reader) {
  TemplateReadResult result;
  result.error = error;
  result.file = std::string(file);
  result.field = reader.FieldNumber();
  result.line = reader.Line();
  return result;
}

}  // namespace

std::optional<std::string> ReadTemplateFile(const FileSystem& files, std::string_view path,
                                            std::string_view appFolder, TemplateReadResult& failure) {
  const std::string full = ResolvePath(path, appFolder);
  FileError error = FileError::None;
  std::optional<std::string> data = files.ReadFile(full, &error);
  if (!data) {
    const bool missing =
        error == FileError::NotFound || error == FileError::PathNotFound || error == FileError::BadName;
    failure = {};
    failure.error = missing ? TemplateError::FileNotFound : TemplateError::FileUnreadable;
    failure.file = full;
    failure.fileError = error;
  }
  return data;
}

std::string CVellFrame::ObjectType(std::int32_t index) const {
  if (index < 1 || index > dataNum_) return {};
  return records_[static_cast<std::size_t>(index - 1)].command;
}

float CVellFrame::Value(std::int32_t index, std::int16_t operand) const {
  if (index < 1 || index > dataNum_ || operand < 0 || operand > 8) return 0.0f;
  return records_[static_cast<std::size_t>(index - 1)].value[static_cast<std::size_t>(operand)];
}

bool CVellFrame::IsSupported() const {
  for (const VodRecord& record : records_) {
    const auto& v = record.value;
    if (record.command == "l" || record.command == "L") {
      if (v[5] != 0.0f || v[6] != 0.0f || v[7] != 0.0f || v[8] != 0.0f) return false;
    } else if (record.command == "c" || record.command == "C") {
      if (v[5] != 0.0f || v[8] != 0.0f) return false;
    } else {
      return false;
    }
  }
  return true;
}

TemplateReadResult CVellFrame::ParseVOD(std::string_view data, std::string_view file) {
  FieldReader reader(data);
  std::string title;
  float box[4] = {0, 0, 0, 0};  // Width, Height, Left, Top
  std::int32_t count = 0;

  FieldStatus status = reader.ReadString(title);
  if (status != FieldStatus::Ok) return Failure(FromFieldStatus(status), file, reader);
  for (float& value : box) {
    status = reader.ReadSingle(value);
    if (status != FieldStatus::Ok) return Failure(FromFieldStatus(status), file, reader);
  }
  status = reader.ReadInt32(count);
  if (status != FieldStatus::Ok) return Failure(FromFieldStatus(status), file, reader);
  // Drawing divides by Width - 1 and Height - 1.
  if (!(box[0] > 1.0f) || !(box[1] > 1.0f)) {
    TemplateReadResult result = Failure(TemplateError::BadSize, file, reader);
    result.field = box[0] > 1.0f ? 3 : 2;
    return result;
  }
  if (count < 0) return Failure(TemplateError::BadCount, file, reader);

  // Records are taken one by one, so a DataNum larger than the file never allocates for it.
  std::vector<VodRecord> records;
  for (std::int32_t i = 0; i < count; ++i) {
    if (reader.AtEnd()) {
      TemplateReadResult result = Failure(TemplateError::MissingRecords, file, reader);
      result.expected = count;
      result.found = i;
      return result;
    }
    VodRecord record;
    status = reader.ReadString(record.command);
    for (std::size_t k = 1; k <= 8 && status == FieldStatus::Ok; ++k)
      status = reader.ReadSingle(record.value[k]);
    if (status != FieldStatus::Ok) return Failure(FromFieldStatus(status), file, reader);
    records.push_back(std::move(record));
  }

  title_ = std::move(title);
  width_ = box[0];
  height_ = box[1];
  left_ = box[2];
  top_ = box[3];
  dataNum_ = count;
  records_ = std::move(records);
  return {};
}

TemplateReadResult CVellFrame::ReadVODFile(const FileSystem& files, std::string_view path,
                                           std::string_view appFolder) {
  TemplateReadResult failure;
  const auto data = ReadTemplateFile(files, path, appFolder, failure);
  if (!data) return failure;
  return ParseVOD(*data, ResolvePath(path, appFolder));
}

TemplateReadResult CVellFrame::ReadVODFileWithVOL(const FileSystem& files, std::string_view listPath,
                                                  std::int16_t entry, std::string_view appFolder) {
  if (entry < 1) {
    TemplateReadResult result;
    result.error = TemplateError::NoSuchEntry;
    result.file = ResolvePath(listPath, appFolder);
    result.expected = entry;
    result.inList = true;
    return result;
  }
  TemplateListResult list = ReadTemplateList(files, listPath, appFolder, entry);
  if (static_cast<int>(list.entries.size()) < entry) {
    if (!list.status.Ok()) {
      list.status.inList = true;
      return list.status;
    }
    TemplateReadResult result;
    result.error = TemplateError::NoSuchEntry;
    result.file = ResolvePath(listPath, appFolder);
    result.expected = entry;
    result.found = static_cast<std::int32_t>(list.entries.size());
    result.inList = true;
    return result;
  }
  return ReadVODFile(files, list.entries[static_cast<std::size_t>(entry - 1)].path, appFolder);
}

}  // namespace snapwell
