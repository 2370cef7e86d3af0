#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "update/firmware_reports.h"

namespace mousedeck::update {
namespace {

std::vector<uint8_t> Image(std::size_t size) {
    std::vector<uint8_t> image(size);
    for (std::size_t i = 0; i < size; ++i) {
        image[i] = static_cast<uint8_t>(i * 13 + 1);
    }
    return image;
}

uint16_t Le16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

TEST(Crc16ModbusTest, KnownValues) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc16Modbus({reinterpret_cast<const uint8_t*>(check.data()), check.size()}), 0x4B37);
    EXPECT_EQ(Crc16Modbus({}), 0xFFFF);
    const uint8_t zero[] = {0x00};
    EXPECT_EQ(Crc16Modbus(zero), 0x40BF);
}

TEST(UpgradeReportTest, BeginAndEnd) {
    UpgradeReport begin;
    begin.fill(0xFF);
    const uint8_t head_begin[] = {0x05, 0x02, 0x02, 0x00, 0x01};
    std::copy(std::begin(head_begin), std::end(head_begin), begin.begin());
    EXPECT_EQ(BeginReport(), begin);

    UpgradeReport end;
    end.fill(0xFF);
    const uint8_t head_end[] = {0x05, 0x02, 0x06, 0x00, 0x02};
    std::copy(std::begin(head_end), std::end(head_end), end.begin());
    EXPECT_EQ(EndReport(), end);
}

// Every report of an image, checked field by field against the image: the
// length byte, the sequence numbers over the whole image, the data with its
// 0xFF padding, the CRC over sequence and all 16 data bytes, and 0xFF in
// the sub-blocks a last report does not use.
TEST(UpgradeReportTest, DataReportsCoverTheImage) {
    struct Case {
        std::size_t size;
        std::size_t reports;
        uint8_t last_length;
    };
    const Case cases[] = {
        {1, 1, 20},  {16, 1, 20}, {17, 1, 40},  {32, 1, 40},  {33, 1, 60},   {47, 1, 60},    {48, 1, 60},
        {49, 2, 20}, {96, 2, 60}, {144, 3, 60}, {145, 4, 20}, {980, 21, 40}, {1000, 21, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const std::vector<uint8_t> image = Image(c.size);
        ASSERT_EQ(DataReportCount(c.size), c.reports);
        std::vector<uint8_t> carried;
        for (std::size_t k = 0; k < c.reports; ++k) {
            const UpgradeReport report = DataReport(image, k);
            EXPECT_EQ(report[0], 0x05);
            EXPECT_EQ(report[1], 0x02);
            EXPECT_EQ(report[3], 0x00);
            const uint8_t length = k + 1 == c.reports ? c.last_length : 60;
            ASSERT_EQ(report[2], length) << "report " << k;
            const std::size_t blocks = length / 20;
            for (std::size_t j = 0; j < 3; ++j) {
                const uint8_t* block = report.data() + 4 + 20 * j;
                if (j >= blocks) {
                    EXPECT_EQ(std::vector<uint8_t>(block, block + 20), std::vector<uint8_t>(20, 0xFF));
                    continue;
                }
                EXPECT_EQ(Le16(block), 3 * k + j);
                EXPECT_EQ(Le16(block + 18), Crc16Modbus({block, 18}));
                carried.insert(carried.end(), block + 2, block + 18);
            }
        }
        ASSERT_EQ(carried.size(), (c.size + 15) / 16 * 16);
        EXPECT_EQ(std::vector<uint8_t>(carried.begin(), carried.begin() + static_cast<long>(c.size)), image);
        EXPECT_EQ(std::vector<uint8_t>(carried.begin() + static_cast<long>(c.size), carried.end()),
                  std::vector<uint8_t>(carried.size() - c.size, 0xFF))
            << "padding after the image";
    }
}

TEST(UpgradeReportTest, OneByteAfterFullReports) {
    const std::vector<uint8_t> image = Image(49);
    const UpgradeReport last = DataReport(image, 1);
    EXPECT_EQ(last[2], 20);
    EXPECT_EQ(Le16(&last[4]), 3);
    EXPECT_EQ(last[6], image[48]);
    EXPECT_EQ(std::vector<uint8_t>(last.begin() + 7, last.begin() + 22), std::vector<uint8_t>(15, 0xFF));
    // The CRC covers the padding: the same byte with zero padding differs.
    uint8_t zero_padded[18] = {0x03, 0x00, image[48]};
    EXPECT_NE(Le16(&last[22]), Crc16Modbus(zero_padded));
}

TEST(UpgradeReportTest, LargestImageEndsOnTheLastSequenceNumber) {
    const std::vector<uint8_t> image(kMaxImageBytes, 0x5A);
    const std::size_t reports = DataReportCount(image.size());
    const UpgradeReport last = DataReport(image, reports - 1);
    const std::size_t used = last[2] / 20;
    EXPECT_EQ(Le16(&last[4 + 20 * (used - 1)]), 0xFFFF) << "sub-block 65535 is the last one that fits";
}

}  // namespace
}  // namespace mousedeck::update
