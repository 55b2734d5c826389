// What the fuzz targets share: the input as an exactly sized heap copy read
// front to back, exactly sized heap blocks for records, and a check that
// aborts so libFuzzer keeps the input that broke it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                                         \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);       \
            std::abort();                                                                             \
        }                                                                                             \
    } while (0)

namespace fuzz {

// size bytes on the heap and not one more (new[] of zero bytes is still a
// distinct block), so ASan flags any read past the end.
class Block {
public:
    explicit Block(size_t size, uint8_t fill = 0) : m_bytes(new uint8_t[size]), m_size(size) {
        std::memset(m_bytes.get(), fill, size);
    }
    Block(const uint8_t* data, size_t size) : Block(size) {
        if (size) std::memcpy(m_bytes.get(), data, size);
    }
    uint8_t* data() const { return m_bytes.get(); }
    size_t size() const { return m_size; }
    template <class T>
    T* As() const {
        return reinterpret_cast<T*>(m_bytes.get());
    }

private:
    std::unique_ptr<uint8_t[]> m_bytes;
    size_t m_size;
};

// The input, taken from the front: fixed fields first, then the rest. Past
// the end every field reads as zeros, so short inputs still run.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_copy(data, size) {}

    template <class T>
    T Take() {
        T value{};
        const size_t n = std::min(sizeof value, Left());
        if (n) std::memcpy(&value, m_copy.data() + m_at, n);
        m_at += n;
        return value;
    }
    size_t Left() const { return m_copy.size() - m_at; }
    // The next up to n bytes.
    std::vector<uint8_t> Bytes(size_t n) {
        n = std::min(n, Left());
        std::vector<uint8_t> out(m_copy.data() + m_at, m_copy.data() + m_at + n);
        m_at += n;
        return out;
    }
    std::vector<uint8_t> Rest() { return Bytes(Left()); }
    std::string RestText() {
        const std::vector<uint8_t> rest = Rest();
        return std::string(rest.begin(), rest.end());
    }

private:
    Block m_copy;
    size_t m_at = 0;
};

// A record of the console's own making: the given bytes, then fill, exactly size bytes.
inline Block RecordFrom(const std::vector<uint8_t>& bytes, size_t size, uint8_t fill) {
    Block block(size, fill);
    if (!bytes.empty()) std::memcpy(block.data(), bytes.data(), std::min(size, bytes.size()));
    return block;
}

}  // namespace fuzz
