#include "updater/check/update_statement.h"

namespace {
int LowerHexDigit(char ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

// `text` as exactly `count` bytes written in lower-case hexadecimal; false for any other text.
bool ParseLowerHex(const std::string& text, unsigned char* bytes, size_t count) {
    if (text.size() != 2 * count)
        return false;
    for (size_t i = 0; i < count; ++i) {
        const int high = LowerHexDigit(text[2 * i]), low = LowerHexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return true;
}
}  // namespace

std::string UpdateStatementText(const std::string& version, const std::string& sha256) {
    return "VarnioUpdate\n" + version + "\n" + sha256 + "\n";
}

bool SignedStatementOf(const ManifestRecord& record, SignedStatement* statement) {
    unsigned char digest[kSha256Bytes];
    if (!ParseLowerHex(record.sha256, digest, kSha256Bytes) ||
        !ParseLowerHex(record.signature, statement->signature, kSignatureBytes))
        return false;
    statement->text = UpdateStatementText(record.version, record.sha256);
    return true;
}
