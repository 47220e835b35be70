#pragma once
// SHA-256 (NIST FIPS 180-4, section 6.2), for checking that the shipped data
// files are the bytes they were when Kartoval was built.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kartoval {

class Sha256 {
public:
    Sha256();
    void Update(const void* data, std::size_t size);
    void Update(std::string_view text) { Update(text.data(), text.size()); }
    // The digest as 64 lowercase hexadecimal digits; the object is spent afterwards.
    [[nodiscard]] std::string HexDigest();

private:
    void block(const std::uint8_t* data);

    std::array<std::uint32_t, 8> state_{};
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t totalBytes_ = 0;
};

// The digest of a whole file; none when it can't be opened or read.
[[nodiscard]] std::optional<std::string> FileSha256(const std::filesystem::path& path);

// A checksum list in the `sha256sum` format ("<64 hex digits>  <name>" or
// "<digits> *<name>"), by file name, digits in lowercase. Lines of another
// shape are passed over: they vouch for no file. None when it can't be read.
using ChecksumList = std::map<std::string, std::string, std::less<>>;
[[nodiscard]] std::optional<ChecksumList> ReadChecksumList(const std::filesystem::path& path);

}  // namespace kartoval
