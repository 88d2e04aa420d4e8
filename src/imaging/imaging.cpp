// Errors of the imaging binding.
#include "imaging/imaging.h"

#include <utility>

namespace snapwell {
namespace {

std::string Describe(ImagingError::Kind kind, const std::string& library, const std::string& function) {
  switch (kind) {
    case ImagingError::Kind::kLibraryNotFound:
      return "The library \"" + library + "\" needed for \"" + function + "\" could not be loaded.";
    case ImagingError::Kind::kFunctionNotFound:
      return "The function \"" + function + "\" of the library \"" + library + "\" could not be found.";
    case ImagingError::Kind::kOutOfMemory:
      break;
  }
  return "Not enough memory to hand the picture to \"" + function + "\" of the library \"" + library + "\".";
}

}  // namespace

ImagingError::ImagingError(Kind kind, std::string library, std::string function)
    : std::runtime_error(Describe(kind, library, function)),
      kind_(kind),
      library_(std::move(library)),
      function_(std::move(function)) {}

long ImagingError::Number() const {
  switch (kind_) {
    case Kind::kLibraryNotFound:
      return 53;
    case Kind::kFunctionNotFound:
      return 453;
    case Kind::kOutOfMemory:
      break;
  }
  return 7;
}

}  // namespace snapwell
