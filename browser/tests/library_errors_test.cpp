// Library result codes → messages, and the details of a failed entry check.
#include <gtest/gtest.h>

#include <cstring>

#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "scripted_view.h"

namespace browser::testing {
namespace {

struct Row {
    int function;
    int32_t code;
    const char* name;
    int expectedResult;
    std::string expectedText;
};

class LibraryErrorsTest : public ::testing::Test {
  protected:
    // The code of a failure with a message to show, -1 for one already shown (unknown), 0 for success.
    int result(int32_t code, int function, const char* name = nullptr) {
        const auto failure = dialog.libraryFailure(code, function, name);
        text = failure ? failure->text.str() : std::string();
        return !failure ? 0 : failure->toShow() ? failure->code : -1;
    }

    ScriptedView view;
    BrowserDialog dialog{view, LibraryEntries{}, StartOptions{}};
    std::string text;
};

TEST_F(LibraryErrorsTest, CodesSelectTheirMessages) {
    const Row rows[] = {
        {kOpenFDImg, 1, nullptr, 1, "Image soubor je jen pro čtení (read-only)"},
        {kOpenFDImg, 2, nullptr, 2, "Image soubor je delší než dle bootu"},
        {kOpenFDImg, 8, nullptr, 8, "V boot sektoru jsou uvedeny chybné parametry média"},
        {kOpenFDImg, 10, nullptr, 10, "Image nelze otevřít (neexistuje apod.)"},
        {kMkDir, 8, nullptr, 8, "Image soubor je jen pro čtení (read-only)"},
        {kFreeSpace, 10, nullptr, 10, "Image soubor není otevřen"},
        {kFindMInDir, 3, nullptr, 3, "Nenalezeno; chybně formátovaná položka"},
        {kSetFWrkDir, 5, nullptr, 5, "Zadána prázdná/chybná cesta, pracovní adresář beze změny"},
        {kSetAttrib, 5, nullptr, 5, "Chyba cesty (např. dvě '\\' po sobě)"},
        {kGetFDirEntry, 4, "README.TXT", 4, "Jméno README.TXT uvnitř cesty neoznačuje adresář"},
        {kCopyT, 6, nullptr, 6, "Soubor %s neexistuje"},  // no name: the place stays as it stands
        {kWriteVol, 1, nullptr, 1, "Záznam VOL se nevejde do kořenového adresáře image."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.function) + "/" + std::to_string(row.code));
        EXPECT_EQ(result(row.code, row.function, row.name), row.expectedResult);
        EXPECT_EQ(text, row.expectedText);
    }
    EXPECT_TRUE(view.messages.empty()) << "the caller shows prepared messages";
}

TEST_F(LibraryErrorsTest, UnknownCodesAreShownAtOnceWithBothNumbers) {
    const Row rows[] = {
        {kFreeSpace, 6, nullptr, -1, "Ohlášena neznámá chyba 6 ve funkci 9."},
        {kCopyT, -3, nullptr, -1, "Ohlášena neznámá chyba -3 ve funkci 10."},
        {18, 1, nullptr, -1, "Ohlášena neznámá chyba 1 ve funkci 18."},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(result(row.code, row.function), row.expectedResult);
        EXPECT_EQ(view.messages.back(), row.expectedText);
    }
    EXPECT_EQ(view.messages.size(), 3u);
}

TEST_F(LibraryErrorsTest, SuccessLeavesThePreparedMessage) {
    EXPECT_EQ(result(4, kKillF), 4);
    EXPECT_EQ(text, "Soubor/adresář na image nenalezen");
    EXPECT_EQ(result(0, kKillF), 0);
}

TEST_F(LibraryErrorsTest, EveryMessageIdHasItsText) {
    for (int id = 101; id <= 171; ++id) {
        if (id == 166) continue;  // the program has no message 166
        EXPECT_FALSE(messageText(id).empty()) << id;
    }
    EXPECT_EQ(formatMessage(167, {"6", "9"}), "Ohlášena neznámá chyba 6 ve funkci 9.");
}

int32_t failedCheck(int32_t* code, uint8_t* entry, uint32_t* offset) {
    *code = 3;
    *offset = 0x2600;
    for (int i = 0; i < 32; ++i) entry[i] = static_cast<uint8_t>(i * 8);
    return 0;
}

int32_t nothingOpen(int32_t*, uint8_t*, uint32_t*) {
    return 9;
}

TEST(CheckDetails, AppendCodeOffsetAndTheEntryAsHex) {
    ScriptedView view;
    LibraryEntries lib;
    lib.GetLastErr = failedCheck;
    BrowserDialog dialog(view, lib, {});
    std::string hex;
    for (int i = 0; i < 32; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", i * 8);
        hex += two;
    }
    EXPECT_EQ(dialog.checkDetails().str(), "\nChyba 3: 00002600:\n" + hex);

    lib.GetLastErr = nothingOpen;
    BrowserDialog closed(view, lib, {});
    EXPECT_EQ(closed.checkDetails().str(), "");
}

}  // namespace
}  // namespace browser::testing
