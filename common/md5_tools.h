// MD5 digests (RFC 1321) as 32 lower-case hexadecimal characters.
// One object per digest, used on one thread; only the file variants can fail, giving the empty text.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace md5_space {

class md5_tools {
public:
    md5_tools();
    virtual ~md5_tools() = default;

    void update(const void* bytes, size_t length);
    std::string final();  // pads, so the object is spent afterwards

    static std::string digest(const void* bytes, size_t length);
    static std::string digest(const std::string& bytes) { return digest(bytes.data(), bytes.size()); }
    static std::string digest_file(FILE* file);                  // reads to the end; does not close
    static std::string digest_file(const std::wstring& path);    // "" when the file cannot be opened

private:
    void transform(const unsigned char block[64]);

    unsigned char m_buffer[64];
    uint32_t m_count[2];  // bits so far, low word first
    uint32_t m_state[4];
};

}  // namespace md5_space
