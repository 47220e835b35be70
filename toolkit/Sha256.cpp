#include "toolkit/Sha256.hpp"

#include "toolkit/LineReader.hpp"

#include <bit>
#include <cstdio>
#include <memory>

namespace kartoval {
namespace {

// FIPS 180-4, 4.2.2: the first 32 bits of the fractional parts of the cube
// roots of the first 64 primes.
constexpr std::array<std::uint32_t, 64> kK{
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

// 5.3.3: the initial hash value.
constexpr std::array<std::uint32_t, 8> kInitial{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

constexpr std::size_t kFileChunk = std::size_t{256} * 1024;

}  // namespace

Sha256::Sha256() : state_(kInitial) {}

// 6.2.2, one 512-bit block; symbols as in the standard (W, a..h, T1, T2).
void Sha256::block(const std::uint8_t* data)
{
    std::array<std::uint32_t, 64> w{};
    for (std::size_t t = 0; t < 16; ++t) {
        w[t] = std::uint32_t{data[4 * t]} << 24 | std::uint32_t{data[4 * t + 1]} << 16 |
               std::uint32_t{data[4 * t + 2]} << 8 | std::uint32_t{data[4 * t + 3]};
    }
    for (std::size_t t = 16; t < 64; ++t) {
        const std::uint32_t s0 = std::rotr(w[t - 15], 7) ^ std::rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
        const std::uint32_t s1 = std::rotr(w[t - 2], 17) ^ std::rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
        w[t] = w[t - 16] + s0 + w[t - 7] + s1;
    }
    auto [a, b, c, d, e, f, g, h] = state_;
    for (std::size_t t = 0; t < 64; ++t) {
        const std::uint32_t sigma1 = std::rotr(e, 6) ^ std::rotr(e, 11) ^ std::rotr(e, 25);
        const std::uint32_t ch = (e & f) ^ (~e & g);
        const std::uint32_t t1 = h + sigma1 + ch + kK[t] + w[t];
        const std::uint32_t sigma0 = std::rotr(a, 2) ^ std::rotr(a, 13) ^ std::rotr(a, 22);
        const std::uint32_t maj = (a & b) ^ (a & c) ^ (b & c);
        const std::uint32_t t2 = sigma0 + maj;
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
    state_[4] += e;
    state_[5] += f;
    state_[6] += g;
    state_[7] += h;
}

void Sha256::Update(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    totalBytes_ += size;
    if (pendingSize_ > 0) {
        const std::size_t take = std::min(size, pending_.size() - pendingSize_);
        std::copy(bytes, bytes + take, pending_.begin() + static_cast<std::ptrdiff_t>(pendingSize_));
        pendingSize_ += take;
        bytes += take;
        size -= take;
        if (pendingSize_ < pending_.size()) return;
        block(pending_.data());
        pendingSize_ = 0;
    }
    for (; size >= pending_.size(); bytes += pending_.size(), size -= pending_.size()) block(bytes);
    std::copy(bytes, bytes + size, pending_.begin());
    pendingSize_ = size;
}

std::string Sha256::HexDigest()
{
    // 5.1.1: a one bit, zeros, then the message length in bits, big-endian.
    const std::uint64_t bits = totalBytes_ * 8;
    const std::uint8_t one = 0x80;
    Update(&one, 1);
    const std::uint8_t zero = 0;
    while (pendingSize_ != pending_.size() - 8) Update(&zero, 1);
    std::array<std::uint8_t, 8> length{};
    for (std::size_t i = 0; i < 8; ++i) length[i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
    Update(length.data(), length.size());
    constexpr const char* kHex = "0123456789abcdef";
    std::string hex;
    for (const std::uint32_t word : state_) {
        for (int shift = 28; shift >= 0; shift -= 4) hex += kHex[(word >> shift) & 0xF];
    }
    return hex;
}

std::optional<std::string> FileSha256(const std::filesystem::path& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, &std::fclose);
    const auto buffer = std::make_unique_for_overwrite<char[]>(kFileChunk);
    Sha256 hash;
    for (;;) {
        const std::size_t got = std::fread(buffer.get(), 1, kFileChunk, file);
        hash.Update(buffer.get(), got);
        if (got < kFileChunk) break;
    }
    if (std::ferror(file) != 0) return std::nullopt;
    return hash.HexDigest();
}

std::optional<ChecksumList> ReadChecksumList(const std::filesystem::path& path)
{
    constexpr std::size_t kDigestLength = 64;
    constexpr std::size_t kMostLine = 4096;
    LineReader reader(path, kMostLine);
    if (!reader.IsOpen()) return std::nullopt;
    ChecksumList list;
    std::string_view line;
    for (;;) {
        const LineReader::Result result = reader.Next(line);
        if (result == LineReader::Result::End) break;
        if (result == LineReader::Result::Failed) return std::nullopt;
        if (result == LineReader::Result::TooLong) continue;
        if (line.size() < kDigestLength + 2 || line[kDigestLength] != ' ') continue;
        std::string digest(line.substr(0, kDigestLength));
        bool hex = true;
        for (char& c : digest) {
            if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
            hex = hex && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'));
        }
        std::string_view name = line.substr(kDigestLength + 1);
        if (!name.empty() && (name.front() == ' ' || name.front() == '*')) name.remove_prefix(1);
        if (hex && !name.empty()) list.emplace(std::string(name), std::move(digest));
    }
    return list;
}

}  // namespace kartoval
