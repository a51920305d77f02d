#pragma once
// The FieldErrorMask of a row and the StatusBox lines its bits stand for.

#include <cstdint>
#include <string>

namespace userdb {

using FieldErrorMask = std::uint16_t;

constexpr FieldErrorMask FieldErrorBit(int fieldIndex) { return static_cast<FieldErrorMask>(1u << fieldIndex); }

// Appends the line of every set bit, from bit 0 upward.
void AppendErrorLines(FieldErrorMask mask, std::string& text);

}  // namespace userdb
