// Playback settings: the default text, values read from texts, the repairs that reset all
// values, and the "Automatically select" monitor name.
#include "video/PlaySettings.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kDefaultText[] =
    L"(PlaySettingsVer=10000,AutoRender=1,VideoRender=0,CamMonitor=,ScrMonitor=)";

PlaySettingsValues ValuesOf(PlaySettings& settings)
{
    PlaySettingsValues values;
    settings.GetValues(&values);
    return values;
}

TEST(PlaySettings, DefaultsAndTheirText)
{
    PlaySettings settings;
    settings.ResetToDefaults();
    EXPECT_TRUE(settings.IsDefault());
    std::wstring text;
    settings.GetText(text);
    EXPECT_EQ(text, kDefaultText);
    settings.SetText(L"");
    settings.GetText(text);
    EXPECT_EQ(text, kDefaultText);
    settings.SetText(nullptr);
    EXPECT_TRUE(settings.IsDefault());
}

TEST(PlaySettings, ValuesFromText)
{
    PlaySettings settings;
    settings.SetText(L"(PlaySettingsVer=1,VideoRender=2)");
    const PlaySettingsValues v = ValuesOf(settings);
    EXPECT_FALSE(v.AutoRender);  // absent reads as 0
    EXPECT_EQ(v.VideoRender, 2);
    EXPECT_TRUE(v.CamMonitor.empty());
    EXPECT_TRUE(v.ScrMonitor.empty());
    EXPECT_FALSE(settings.IsDefault());
    // A good text is kept character for character.
    std::wstring text;
    settings.GetText(text);
    EXPECT_EQ(text, L"(PlaySettingsVer=1,VideoRender=2)");
}

TEST(PlaySettings, BadTextsResetEverything)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* logged;
    };
    const Case cases[] = {
        {L"garbage", L"HR=0x80004005 garbage"},
        {L"(AutoRender=0,VideoRender=1)", L"HR=0x80004005 Inv.ver: (AutoRender=0"},
        {L"(PlaySettingsVer=0,AutoRender=0)", L"Inv.ver: "},
        {L"(PlaySettingsVer=-4,AutoRender=0)", L"Inv.ver: "},
    };
    for (const Case& c : cases) {
        ScopedCallback log;
        PlaySettings settings;
        settings.SetText(c.text);
        EXPECT_TRUE(settings.IsDefault()) << c.text;
        std::wstring text;
        settings.GetText(text);
        EXPECT_EQ(text, kDefaultText) << c.text;
        EXPECT_TRUE(log.instance.Logged(c.logged)) << c.text << "\n" << log.instance.All();
    }
}

TEST(PlaySettings, BadRendererIsRepairedByTheNextValidation)
{
    ScopedCallback log;
    PlaySettings settings;
    settings.SetText(L"(PlaySettingsVer=10000,AutoRender=0,VideoRender=7,CamMonitor=x)");
    EXPECT_EQ(settings.RawValues().VideoRender, 7);
    EXPECT_TRUE(log.instance.lines.empty());
    const PlaySettingsValues v = ValuesOf(settings);
    EXPECT_TRUE(log.instance.Logged(L"Render Idx=7")) << log.instance.All();
    EXPECT_TRUE(v.AutoRender);
    EXPECT_EQ(v.VideoRender, 0);
    EXPECT_TRUE(v.CamMonitor.empty());
    std::wstring text;
    settings.GetText(text);
    EXPECT_EQ(text, kDefaultText);
}

TEST(PlaySettings, MonitorNameLengths)
{
    struct Case {
        size_t camLength;
        size_t scrLength;
        const wchar_t* logged;  // null: kept
    };
    const Case cases[] = {
        {256, 0, nullptr},
        {0, 256, nullptr},
        {257, 0, L"CamMonitorName"},
        {0, 257, L"ScrMonitorName"},
    };
    for (const Case& c : cases) {
        ScopedCallback log;
        PlaySettings settings;
        PlaySettingsValues in;
        in.AutoRender = FALSE;
        in.VideoRender = 1;
        in.CamMonitor.assign(c.camLength, L'c');
        in.ScrMonitor.assign(c.scrLength, L's');
        settings.SetValues(in);
        const PlaySettingsValues out = ValuesOf(settings);
        if (c.logged) {
            EXPECT_TRUE(log.instance.Logged(c.logged)) << log.instance.All();
            EXPECT_TRUE(settings.IsDefault());
        } else {
            EXPECT_TRUE(log.instance.lines.empty()) << log.instance.All();
            EXPECT_EQ(out.CamMonitor.size(), c.camLength);
            EXPECT_EQ(out.ScrMonitor.size(), c.scrLength);
            EXPECT_EQ(out.VideoRender, 1);
        }
    }
}

TEST(PlaySettings, AutomaticMonitorNameMeansTheDefaultMonitor)
{
    PlaySettings settings;
    const wchar_t* text =
        L"(PlaySettingsVer=10000,AutoRender=1,VideoRender=0,CamMonitor=Automatically\\Sselect,"
        L"ScrMonitor=Screen2)";
    settings.SetText(text);
    const PlaySettingsValues v = ValuesOf(settings);
    EXPECT_TRUE(v.CamMonitor.empty());
    EXPECT_EQ(v.ScrMonitor, L"Screen2");
    // The text changes only with the next packing.
    std::wstring stored;
    settings.GetText(stored);
    EXPECT_EQ(stored, text);
    settings.Pack();
    settings.GetText(stored);
    EXPECT_EQ(stored.find(L"Automatically"), std::wstring::npos);
    EXPECT_NE(stored.find(L"CamMonitor=,"), std::wstring::npos) << stored;
}

TEST(PlaySettings, AnyNonZeroAutoRenderIsWrittenAsOne)
{
    PlaySettings settings;
    PlaySettingsValues in;
    in.AutoRender = 5;
    settings.SetValues(in);
    std::wstring text;
    settings.GetText(text);
    EXPECT_EQ(text, kDefaultText);
    PlaySettings::CopyValues(nullptr, &in);
    PlaySettings::CopyValues(&in, nullptr);
    EXPECT_EQ(in.AutoRender, 5);
}

}  // namespace
