#pragma once

class QByteArray;

namespace Utf8Text {
// Whether the bytes are whole, well-formed UTF-8: no invalid sequence and none cut off at the end.
bool isValid(const QByteArray &bytes);
} // namespace Utf8Text
