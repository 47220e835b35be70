#include "toolkit/Sha256.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kartoval {
namespace {

// FIPS 180-4 examples (NIST's "SHA256.pdf"): one block, two blocks, and the
// empty message; a million 'a' crosses many blocks and a partial last one.
TEST(Sha256, PublishedVectors)
{
    struct Row {
        std::string Message;
        const char* Digest;
    };
    const Row rows[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Row& row : rows) {
        Sha256 whole;
        whole.Update(row.Message);
        EXPECT_EQ(whole.HexDigest(), row.Digest) << row.Message.size() << " bytes";
        // Fed in uneven pieces, the digest is the same.
        Sha256 pieces;
        for (std::size_t at = 0; at < row.Message.size(); at += 7) pieces.Update(std::string_view(row.Message).substr(at, 7));
        EXPECT_EQ(pieces.HexDigest(), row.Digest) << row.Message.size() << " bytes in pieces";
    }
}

TEST(Sha256, MissingFileHasNoDigest)
{
    EXPECT_FALSE(FileSha256("/nonexistent/kartoval/file").has_value());
}

}  // namespace
}  // namespace kartoval
