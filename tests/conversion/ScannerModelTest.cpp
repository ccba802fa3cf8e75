#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "RecordScanner.h"
#include "ReferenceModel.h"
#include "ScanInPieces.h"

namespace {

// Random inputs over the bytes that matter to the reading rule, with a cap
// of four bytes so that names and numbers reach it often, scanned by each
// finder. Most are short; some are long enough for the SSE2 finder's look 192
// bytes ahead. The fuzz target explores the same comparison with libFuzzer;
// this runs in every test build.
TEST(RecordScanner, AgreesWithTheReferenceModelOnRandomInputs)
{
    const char alphabet[] = {';', ';', ';', '\r', '\n', '\0', '0', '7', 'a', 'B', '+', '"', ' ', '\xE4'};
    constexpr std::size_t kCap = 4;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::uniform_int_distribution<std::size_t> shortLength(0, 40);
    std::uniform_int_distribution<std::size_t> longLength(192, 600);
    // Pieces of 1 to 9 bytes, or else the whole input at once.
    std::uniform_int_distribution<std::size_t> piece(1, 14);

    for (int round = 0; round < 20000; ++round) {
        std::string input(round % 4 == 0 ? longLength(random) : shortLength(random), ' ');
        for (char& c : input)
            c = alphabet[pick(random)];
        // Now and then without NUL bytes, which the SSE2 finder treats apart.
        if (round % 8 == 0)
            std::replace(input.begin(), input.end(), '\0', 'a');
        const ModelResult expected = ReferenceConvert(input, kCap);

        const std::size_t drawn = piece(random);
        const std::size_t pieceSize = drawn <= 9 ? drawn : std::max<std::size_t>(input.size(), 1);
        for (ByteFinder finder : kAllFinders) {
            const ScanResult scanned = ScanInPieces(input, pieceSize, finder, kCap);
            ASSERT_EQ(scanned.records, expected.records)
                << "input " << ::testing::PrintToString(input) << ", pieces of " << pieceSize
                << ", finder " << static_cast<int>(finder);
            ASSERT_EQ(scanned.recordCount, expected.recordCount);
        }
    }
}

}  // namespace
