#include <gtest/gtest.h>

#include <optional>

#include "TempDir.h"
#include "daywick/errors.h"
#include "daywick/intconv.h"

namespace daywick {
namespace {

struct Row {
    const char* text;
    std::optional<std::int32_t> value;  // nothing: a conversion error
};

TEST(IntegerConversion, FollowsTheGrammarRowByRow) {
    const Row rows[] = {
        {"0", 0},
        {"1998", 1998},
        {"007", 7},
        {"   42", 42},
        {"+5", 5},
        {"-5", -5},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"0000000000002147483647", 2147483647},
        {"$1F", 31},
        {"x1f", 31},
        {"X1F", 31},
        {"0x10", 16},
        {"0XfF", 255},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"$7FFFFFFF", 2147483647},
        {"$000000000001", 1},
        {"  $A", 10},
        // errors
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"42 ", std::nullopt},
        {"4 2", std::nullopt},
        {"\t42", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$100000000", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"x", std::nullopt},
        {"-$10", std::nullopt},
        {"+0x10", std::nullopt},
        {"$G", std::nullopt},
        {"1e3", std::nullopt},
        {"12a", std::nullopt},
        {"\x82\x50", std::nullopt},  // a full-width digit is not a digit
        {"0b1", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("text '") + row.text + "'");
        EXPECT_EQ(tryStrToInt(row.text), row.value);
        if (row.value) {
            EXPECT_EQ(strToInt(row.text), *row.value);
        } else {
            EXPECT_THROW(strToInt(row.text), ConversionError);
        }
    }
}

TEST(IntegerConversion, ErrorNamesTheWholeText) {
    try {
        strToInt(" 12x");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_EQ(std::string(error.what()), testing::S("' 12x' は整数ではありません"));
    }
    try {
        strToInt("");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_EQ(std::string(error.what()), testing::S("'' は整数ではありません"));
    }
}

}  // namespace
}  // namespace daywick
