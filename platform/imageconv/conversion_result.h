// What a conversion step came to; one text table for every step.
#pragma once

#include <string_view>

namespace imageconv {

enum class ConversionResult {
  kOk,
  kUnreadable,       // no decoder recognises the data, or the data is damaged
  kTooLarge,         // dimensions beyond what a bitmap file may hold here
  kOutOfMemory,
  kCannotReadFile,
  kCannotWriteFile,
};

inline std::string_view ConversionResultText(ConversionResult r) {
  switch (r) {
    case ConversionResult::kOk: return "ok";
    case ConversionResult::kUnreadable: return "not an image this converter can read";
    case ConversionResult::kTooLarge: return "image too large";
    case ConversionResult::kOutOfMemory: return "out of memory";
    case ConversionResult::kCannotReadFile: return "the source file cannot be read";
    case ConversionResult::kCannotWriteFile: return "the destination file cannot be written";
  }
  return "unknown";
}

}  // namespace imageconv
