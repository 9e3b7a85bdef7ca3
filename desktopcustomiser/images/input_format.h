// The converter's input format code, chosen from the file's extension alone.
#pragma once

#include <cstdint>
#include <string_view>

namespace tunewright {

// The text after the last dot of the file name, compared without case; 0 when there is no
// extension or it is not one the converter names.
int16_t InputFormatCode(std::string_view path);

}  // namespace tunewright
