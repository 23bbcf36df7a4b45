#include "app/ModeSwitch.h"

#include "app/DaemonSwitch.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> line(std::initializer_list<const char*> arguments) {
    std::vector<std::string> all{"/usr/bin/nimbora-screensaver"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return all;
}

TEST(ModeSwitch, CutToTwoMatchesConfigurationForms) {
    for (const char* form : {"/c:1234", "/C", "-c", "c", "/c:", "-C:99"}) {
        std::string token = form;
        EXPECT_TRUE(matchModeSwitch(token, 'c', true)) << form;
    }
    std::string colon = "c:1234";
    EXPECT_FALSE(matchModeSwitch(colon, 'c', true));
    EXPECT_EQ(colon, "c:"); // the cut is made in place
}

TEST(ModeSwitch, WithoutCutOnlyTheBareLetterMatches) {
    for (const char* form : {"/p", "-P", "p"}) {
        std::string token = form;
        EXPECT_TRUE(matchModeSwitch(token, 'p', false)) << form;
    }
    for (const char* form : {"/p:1234", "//p", "", "/", "-", "ps", "/s"}) {
        std::string token = form;
        EXPECT_FALSE(matchModeSwitch(token, 'p', false)) << form;
        EXPECT_EQ(token, form);
    }
}

TEST(ModeSwitch, CommandLinesChooseTheirModes) {
    struct Case {
        std::vector<std::string> arguments;
        RunMode mode;
    };
    const Case cases[] = {
        {line({}), RunMode::Configure},
        {line({"/c:12345"}), RunMode::Configure},
        {line({"/C"}), RunMode::Configure},
        {line({"-c"}), RunMode::Configure},
        {line({"c"}), RunMode::Configure},
        {line({"/p", "12345"}), RunMode::Preview},
        {line({"/P"}), RunMode::Preview},
        {line({"/s"}), RunMode::FullScreen},
        {line({"/S"}), RunMode::FullScreen},
        {line({"-s", "extra"}), RunMode::FullScreen},
        {line({"/x"}), RunMode::None},
        {line({"/p:12345"}), RunMode::None},
        {line({"/s:1"}), RunMode::None},
        {line({""}), RunMode::None},
        {line({"c:1"}), RunMode::None},
        {line({"--root"}), RunMode::SaverDaemon},
        {line({"-root"}), RunMode::SaverDaemon},
        {line({"--window-id", "0x2a"}), RunMode::SaverDaemon},
        {line({"-window-id"}), RunMode::SaverDaemon},
        {line({"---root"}), RunMode::None},
        {line({"--Root"}), RunMode::None},
        {line({"/root"}), RunMode::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseRunMode(c.arguments), c.mode)
            << (c.arguments.size() > 1 ? c.arguments[1] : "<none>");
    }
}

TEST(ModeSwitch, PreviewWindowIdIsReadLikeAtol) {
    unsigned long id = 7;
    EXPECT_TRUE(parsePreviewWindowId(line({"/p", "12345"}), id));
    EXPECT_EQ(id, 12345UL);
    EXPECT_TRUE(parsePreviewWindowId(line({"/p", " 4194311xyz"}), id));
    EXPECT_EQ(id, 4194311UL);
    EXPECT_TRUE(parsePreviewWindowId(line({"/p", "4294967295"}), id));
    EXPECT_EQ(id, 4294967295UL);

    id = 7;
    EXPECT_FALSE(parsePreviewWindowId(line({"/p"}), id));
    EXPECT_FALSE(parsePreviewWindowId(line({"/p", ""}), id));
    EXPECT_FALSE(parsePreviewWindowId(line({"/p", "window"}), id));
    EXPECT_FALSE(parsePreviewWindowId(line({"/p", "-5"}), id));
    EXPECT_FALSE(parsePreviewWindowId(line({"/p", "0"}), id));
    EXPECT_FALSE(parsePreviewWindowId(line({"/p", "99999999999999999999999"}), id));
    EXPECT_EQ(id, 7UL); // untouched when there is no usable id
}

TEST(DaemonSwitch, WindowIdsAreHexadecimalAfter0xOrElseDecimal) {
    struct Case {
        const char* text;
        unsigned long id;
    };
    for (const Case& c :
         {Case{"0x2a00007", 0x2a00007UL}, Case{"0X1C", 0x1CUL}, Case{"44040199", 44040199UL},
          Case{"0xFFFFFFFF", 0xFFFFFFFFUL}, Case{"010", 10UL}}) {
        unsigned long id = 0;
        EXPECT_TRUE(parseWindowIdText(c.text, id)) << c.text;
        EXPECT_EQ(id, c.id) << c.text;
    }
    for (const char* bad : {"", "0", "0x0", "0x", "0xG1", "12a", " 12", "12 ", "-1", "+5",
                            "4294967296", "0x100000000", "99999999999999999999999"}) {
        unsigned long id = 7;
        EXPECT_FALSE(parseWindowIdText(bad, id)) << bad;
        EXPECT_EQ(id, 7UL) << bad;
    }
}

} // namespace
