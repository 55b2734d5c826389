#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ValueParse.h"

using ui::ParseInRange;
using ui::ParseInteger;

TEST(ValueParse, AcceptsDecimalsWithSignAndBlanks) {
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_EQ(ParseInteger("  42 "), 42);
    EXPECT_EQ(ParseInteger("-5"), -5);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("4294967295"), 4294967295LL);
    EXPECT_EQ(ParseInteger("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(ParseInteger("9223372036854775807"), std::numeric_limits<int64_t>::max());
}

TEST(ValueParse, RefusesWhatIsNotOneWholeNumber) {
    for (const char* text : {"", " ", "-", "+", "abc", "12abc", "1 2", "0x10", "1.5", "--1", "9223372036854775808",
                             "-9223372036854775809", "99999999999999999999999"})
        EXPECT_FALSE(ParseInteger(text).has_value()) << '"' << text << '"';
}

TEST(ValueParse, RangeIsInclusiveAtBothEnds) {
    EXPECT_EQ(ParseInRange("1", 1, 10000), 1);
    EXPECT_EQ(ParseInRange("10000", 1, 10000), 10000);
    EXPECT_FALSE(ParseInRange("0", 1, 10000));
    EXPECT_FALSE(ParseInRange("10001", 1, 10000));
    EXPECT_FALSE(ParseInRange("4294967296", 0, 4294967295LL));
    EXPECT_EQ(ParseInRange("4294967295", 0, 4294967295LL), 4294967295LL);
}

TEST(ValueParse, RangeMessageNamesTheAcceptedRange) {
    EXPECT_EQ(ui::RangeMessage(1, 10000), "Enter an integer between 1 and 10000.");
    EXPECT_EQ(ui::RangeMessage(-32768, 32767), "Enter an integer between -32768 and 32767.");
}

