#include "name_patterns.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "dos_time.h"

namespace orva {
namespace {

std::string shown(const std::optional<ShortPattern>& p, size_t n = 11) {
    if (!p) return "<long>";
    std::string s(p->begin(), p->begin() + static_cast<long>(n));
    for (char& c : s) {
        if (c == 0) c = '_';
    }
    return s;
}

TEST(NamePatterns, LookupBuildsBlankPaddedShortPatterns) {
    struct Row {
        const char* name;
        const char* expected;
    } rows[] = {
        {"README.TXT", "README  TXT"},
        {"A", "A          "},
        {"ABCDEFGHI", "ABCDEFGHI  "},  // fills the extension positions
        {"ABCDEFGHIJKL", "ABCDEFGHIJK"},
        {"NO.EXTENSION", "<long>"},  // a dot followed by more than 3 characters
        {"readme.txt", "<long>"},
        {"A B.TXT", "<long>"},
        {"A&B.TXT", "<long>"},
        {"A.B.C", "<long>"},
        {"REPORT?", "<long>"},
        {"ABCDEFGHIJKLM", "<long>"},
        {"~!@#$%'-.{}`", "~!@#$%'-{}`"},
        {"(1)", "(1)        "},
    };
    for (const Row& r : rows) EXPECT_EQ(shown(lookupShortPattern(r.name)), r.expected) << r.name;
}

TEST(NamePatterns, StoredShortFormTakesPlain83NamesOnly) {
    EXPECT_EQ(shown(storedShortForm("A&B.TXT")), "A&B     TXT");
    EXPECT_EQ(shown(storedShortForm("\x9A"
                                    "BER.DOC")),
              "\x9A"
              "BER    DOC");
    EXPECT_EQ(shown(storedShortForm("NOEXT")), "NOEXT      ");
    for (const char* bad :
         {"", ".", "..", ".TXT", "TOOLONGNAME.TXT", "A.LONG", "A B.TXT", "A+B|C.TXT", "A.B.C"}) {
        EXPECT_FALSE(storedShortForm(bad)) << bad;
    }
}

TEST(NamePatterns, EnumerationPatternsKeepTheirModeDecidingBytes) {
    struct Row {
        const char* pattern;
        const char* expected;  // 12 bytes, zeros shown as _
    } rows[] = {
        {"*", "*___________"},
        {"**", "<long>"},
        {"*.*", "*_______*___"},
        {"*.txt", "*_______TXT_"},
        {"readme.txt", "README__TXT_"},
        {"A*B*", "<long>"},
        {"A B", "<long>"},
        {"name.long", "<long>"},
        {"ABCDEFGHIJKLM", "<long>"},
    };
    for (const Row& r : rows) EXPECT_EQ(shown(enumShortPattern(r.pattern), 12), r.expected) << r.pattern;
}

TEST(NamePatterns, LongPatternsAreUtf16WithTheirEnd) {
    EXPECT_EQ(*longPattern("Kůň"), std::u16string(u"Kůň\0", 4));
    EXPECT_EQ(*longPattern("\xF0\x9F\x98\x80"), std::u16string(u"\U0001F600\0", 3));
    EXPECT_FALSE(longPattern("\xC3"));
}

TEST(NamePatterns, NeedsLongName) {
    for (const char* yes : {"readme", "A.B", "A*", "ÚČET", "TAB\t", "A;B", "A[1]", "A=B", "A,B", "\x7F"}) {
        EXPECT_TRUE(NeedsLongName(yes)) << yes;
    }
    for (const char* no : {"README", "A B", "A+B", "~1", "A&B", ""}) EXPECT_FALSE(NeedsLongName(no)) << no;
}

TEST(DosTime, PacksDateAndTime) {
    const uint32_t v = PackDosStamp({2003, 7, 18, 9, 59, 57});
    EXPECT_EQ(stampTime(v), 0x4F7C);
    EXPECT_EQ(stampDate(v), 0x2EF2);
    EXPECT_EQ(v & 1, 1u);  // the odd second
    const uint32_t evening = PackDosStamp({2020, 1, 1, 23, 59, 58});
    EXPECT_EQ(stampTime(evening), 23 * 2048 + 59 * 32 + 29);
    EXPECT_EQ(stampDate(PackDosStamp({2044, 1, 1, 0, 0, 0})), 1 * 32 + 1);  // wraps to 1980
    const CalendarTime back = unpackDosStamp(0x2EF2, 0x4F7C);
    EXPECT_EQ(back.year, 2003);
    EXPECT_EQ(back.second, 56);
}

TEST(DosTime, TheMomentAStampNames) {
    struct Row {
        const char* name;
        uint16_t date, time;
        std::optional<std::array<int, 6>> moment;
    } rows[] = {
        {"a stamp", 0x2EF2, 0x4F7C, std::array{2003, 7, 18, 9, 59, 56}},
        {"no date kept", 0, 0x4F7C, std::nullopt},
        {"month 0", 0x2E12, 0, std::nullopt},
        {"month 13", 0x2FB2, 0, std::nullopt},
        {"day 0", 0x2EE0, 0, std::nullopt},
        {"hour 24 reads as midnight", 0x2EF2, 24 << 11, std::array{2003, 7, 18, 0, 0, 0}},
        {"the last second 2107 holds", 0xFF9F, 0xBF7D, std::array{2107, 12, 31, 23, 59, 58}},
    };
    for (const Row& r : rows) {
        const auto m = stampMoment(r.date, r.time);
        ASSERT_EQ(m.has_value(), r.moment.has_value()) << r.name;
        if (m) {
            EXPECT_EQ((std::array{m->year, m->month, m->day, m->hour, m->minute, m->second}), *r.moment)
                << r.name;
        }
    }
}

}  // namespace
}  // namespace orva
