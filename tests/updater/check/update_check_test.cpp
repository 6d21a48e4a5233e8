// Throttle, manifest, version order and the decision table.
#include <gtest/gtest.h>

#include <climits>

#include "tests/common/temp_folder.h"
#include "updater/check/manifest.h"
#include "updater/check/throttle.h"
#include "updater/check/update_check.h"

TEST(Throttle, AutomaticChecksWaitSevenDaysAfterTheStoredTime) {
    const int64_t now = 1700000000, day = 24 * 60 * 60;
    struct Case {
        bool manual;
        int64_t stored;
        bool may;
    } cases[] = {
        {false, now - 6 * day, false},
        {true, now - 6 * day, true},
        {false, now - 7 * day, true},
        {false, now + day, false},
        {false, now - 7 * day + 1, false},
        {false, 0, true},
        {false, -1, true},
        {false, INT64_MIN, true},
        {false, INT64_MAX, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.may, MayCheckNow(c.manual, c.stored, now)) << c.stored;
}

TEST(Throttle, CheckTimeReadsTheLeadingSignedNumber) {
    struct Case {
        const char* text;
        int64_t value;
    } cases[] = {{"1700000000", 1700000000},
                 {"-1", -1},
                 {" 42", 42},
                 {"12abc", 12},
                 {"abc", 0},
                 {"", 0},
                 {"99999999999999999999", INT64_MAX},
                 {"-99999999999999999999", INT64_MIN}};
    for (const Case& c : cases)
        EXPECT_EQ(c.value, ParseCheckTime(c.text)) << c.text;
}

TEST(Manifest, TwoRecognisedElementsInAnyOrderCompleteIt) {
    const char* current =
        "<current version=\"1.1.06.06\" md5=\"0123456789abcdef0123456789abcdef\" releasetime=\"2024-05-01\" "
        "urlauto=\"http://u/setup.exe\" urlmanual=\"http://u/\" urltip=\"http://u/tip.html\" bufsize=\"12.5MB\" "
        "sha256=\"5ha\" signature=\"519\"/>";
    const std::string usual = std::string("<update>") + current + "<force condition=\"1.1.06.05\"/></update>";
    const std::string reversed = std::string("<r>text<!--c--><force condition=\"1.1.06.05\"/>") + current + "</r>";
    for (const std::string& xml : {usual, reversed}) {
        ManifestRecord m;
        ASSERT_TRUE(ParseManifest(xml.c_str(), m)) << xml;
        EXPECT_EQ("1.1.06.06", m.version);
        EXPECT_EQ("0123456789abcdef0123456789abcdef", m.md5);
        EXPECT_EQ("2024-05-01", m.releaseTime);
        EXPECT_EQ("http://u/setup.exe", m.urlAuto);
        EXPECT_EQ("http://u/", m.urlManual);
        EXPECT_EQ("http://u/tip.html", m.urlTip);
        EXPECT_EQ("12.5MB", m.bufSize);
        EXPECT_EQ("5ha", m.sha256);
        EXPECT_EQ("519", m.signature);
        EXPECT_EQ("1.1.06.05", m.condition);
    }
}

TEST(Manifest, IncompleteOrMalformedDocumentsAndTheCounterOfTwo) {
    struct Case {
        const char* xml;
        bool complete;
        const char* version;
    } cases[] = {
        {"<u><current version=\"2\"/></u>", false, "2"},
        {"<u><current version=\"2\"/><current version=\"3\"/><force condition=\"9\"/></u>", true, "3"},
        {"<u><current version=\"2\"/><force/><current version=\"3\"/></u>", true, "2"},
        {"<u><Current version=\"2\"/><FORCE/></u>", false, ""},
        {"<u><current version=\"2\"/><force></u>", false, ""},
        {"<u><current><force/></current></u>", false, ""},
        {"not xml at all", false, ""},
        {"\xEF\xBB\xBF<u><current version=\"2\"/><force c\xC3", false, ""},  // ends inside a character
        {"", false, ""},
        {"<u/>", false, ""},
    };
    for (const Case& c : cases) {
        ManifestRecord m;
        EXPECT_EQ(c.complete, ParseManifest(c.xml, m)) << c.xml;
        if (c.complete) {
            EXPECT_EQ(c.version, m.version) << c.xml;
        }
    }
    TempFolder folder;
    ManifestRecord m;
    EXPECT_TRUE(ParseManifestFile(folder.Write(L"m.xml", "<u><force condition=\"1\"/><current/></u>"), m));
    EXPECT_EQ("", m.version);
    EXPECT_FALSE(ParseManifestFile(folder.Path(L"absent.xml"), m));
}

TEST(Manifest, DocumentsBeyondOneMebibyteOrEightLevelsAreMalformed) {
    const std::string complete = "<u><current version=\"2\"/><force condition=\"1\"/>";
    const auto nested = [](size_t levels, const char* open, const char* close) {
        std::string xml;
        for (size_t i = 0; i < levels; ++i)
            xml += open;
        for (size_t i = 0; i < levels; ++i)
            xml += close;
        return xml;
    };
    const auto sized = [&](size_t bytes) {
        const std::string end = "</u>";
        return complete + std::string(bytes - complete.size() - end.size(), ' ') + end;
    };
    struct Case {
        const char* name;
        std::string xml;
        bool complete;
    } cases[] = {
        {"eight levels", complete + nested(7, "<x>", "</x>") + "</u>", true},
        {"nine levels", complete + nested(8, "<x>", "</x>") + "</u>", false},
        {"nine levels of empty elements", complete + nested(7, "<x>", "</x>").insert(21, "<e/>") + "</u>", false},
        {"a hundred thousand levels", nested(100000, "<u>", "</u>"), false},
        {"levels inside a comment, CDATA and a value",
         complete + "<!--" + nested(20, "<x>", "") + "--><![CDATA[" + nested(20, "<x>", "") + "]]><y a=\"" +
             nested(20, "<x>", "") + "\"/></u>",
         true},
        {"exactly one mebibyte", sized(1 << 20), true},
        {"one byte more", sized((1 << 20) + 1), false},
    };
    for (const Case& c : cases) {
        ManifestRecord m;
        EXPECT_EQ(c.complete, ParseManifest(c.xml, m)) << c.name;
    }
    TempFolder folder;
    ManifestRecord m;
    EXPECT_TRUE(ParseManifestFile(folder.Write(L"fits.xml", sized(1 << 20)), m));
    EXPECT_FALSE(ParseManifestFile(folder.Write(L"long.xml", sized((1 << 20) + 1)), m));
}

TEST(Version, ComparesAsPlainByteStrings) {
    EXPECT_TRUE(VersionLess("1.0.0.10", "1.0.0.9"));
    EXPECT_FALSE(VersionLess("1.0.0.9", "1.0.0.10"));
    EXPECT_TRUE(VersionLess("", "0"));
    EXPECT_FALSE(VersionLess("", ""));
    EXPECT_TRUE(VersionLess("1.0", "1.0.0"));
    EXPECT_TRUE(VersionLess("1.9", "1.\xB0"));  // bytes above 127 are large, not negative
}

TEST(Decision, ForcedWhenTheInstalledVersionIsAtMostTheCondition) {
    struct Case {
        const char* installed;
        const char* offered;
        const char* condition;
        bool offeredNewer;
        bool forced;
    } cases[] = {
        {"1.1.06.05", "1.1.06.06", "1.1.06.05", true, true},
        {"1.1.06.05", "1.1.06.06", "1.1.06.04", true, false},
        {"1.1.06.05", "1.1.06.06", "1.1.06.07", true, true},
        {"1.1.06.06", "1.1.06.06", "1.1.06.07", false, false},
        {"", "1.0", "", true, true},
        {"1.0", "1.1", "", true, false},
        {"1.0", "", "9", false, false},
    };
    for (const Case& c : cases) {
        ManifestRecord m;
        m.version = c.offered;
        m.condition = c.condition;
        const UpdateOffer offer = DecideOffer(c.installed, m);
        EXPECT_EQ(c.offeredNewer, offer.offered) << c.installed << " " << c.offered;
        EXPECT_EQ(c.forced, offer.forced) << c.installed << " " << c.condition;
    }
}

namespace {
// Plays the world around the decision and writes down what the decision asked of it.
class FakeEffects : public UpdateCheckEffects {
public:
    bool may = true, fetched = true, complete = true, verified = true;
    std::string installed = "1.0", offered = "1.1", condition = "0.9";
    std::string sha256 = std::string(64, 'a'), signature = std::string(128, 'b');
    int answer = kCheckAccepted;
    std::string log;

    bool MayCheckNow(RunMode) override {
        Note("may");
        return may;
    }
    bool FetchManifest() override {
        Note("fetch");
        return fetched;
    }
    bool ParseManifest(ManifestRecord& m) override {
        m.version = offered;
        m.condition = condition;
        m.urlTip = "http://u/tip";
        m.bufSize = "3MB";
        m.sha256 = sha256;
        m.signature = signature;
        Note("parse");
        return complete;
    }
    bool VerifySignature(const SignedStatement& statement) override {
        Note("verify " + statement.text.substr(0, statement.text.find('\n', 13)));
        return verified;
    }
    std::string InstalledVersion() override { return installed; }
    void ShowFetchFailed() override { Note("failbox"); }
    void ShowUpToDate(const std::string& v) override { Note("uptodate " + v); }
    int ShowPrompt(const PromptRequest& r) override {
        Note("prompt " + r.offeredVersion + " " + r.sizeText + " " + r.notesUrl + (r.forced ? " forced" : ""));
        return answer;
    }
    void StartMainProgramForUpdate() override { Note("main update"); }
    void RememberDelay() override { Note("delay"); }

private:
    void Note(const std::string& what) { log += (log.empty() ? "" : ",") + what; }
};
}  // namespace

TEST(Decision, TheCheckShowsWhatEachSituationCallsFor) {
    struct Case {
        const char* name;
        RunMode mode;
        void (*setup)(FakeEffects&);
        int result;
        const char* log;
    } cases[] = {
        {"throttled", RunMode::kAutomatic, [](FakeEffects& f) { f.may = false; }, 2, "may"},
        {"fetch failed, manual", RunMode::kManual, [](FakeEffects& f) { f.fetched = false; }, 2, "may,fetch,failbox"},
        {"fetch failed, automatic", RunMode::kAutomatic, [](FakeEffects& f) { f.fetched = false; }, 2, "may,fetch"},
        {"incomplete, manual", RunMode::kManual, [](FakeEffects& f) { f.complete = false; }, 2, "may,fetch,parse"},
        {"unsigned, manual", RunMode::kManual, [](FakeEffects& f) { f.signature.clear(); }, 2, "may,fetch,parse,failbox"},
        {"digest not hexadecimal, automatic", RunMode::kAutomatic, [](FakeEffects& f) { f.sha256[5] = 'A'; }, 2,
         "may,fetch,parse"},
        {"forged, manual", RunMode::kManual, [](FakeEffects& f) { f.verified = false; }, 2,
         "may,fetch,parse,verify VarnioUpdate\n1.1,failbox"},
        {"forged, automatic", RunMode::kAutomatic, [](FakeEffects& f) { f.verified = false; }, 2,
         "may,fetch,parse,verify VarnioUpdate\n1.1"},
        {"up to date, manual", RunMode::kManual, [](FakeEffects& f) { f.offered = "1.0"; }, 2,
         "may,fetch,parse,verify VarnioUpdate\n1.0,uptodate 1.0"},
        {"up to date, automatic", RunMode::kAutomatic, [](FakeEffects& f) { f.offered = "1.0"; }, 2,
         "may,fetch,parse,verify VarnioUpdate\n1.0"},
        {"accepted", RunMode::kAutomatic, [](FakeEffects&) {}, 0,
         "may,fetch,parse,verify VarnioUpdate\n1.1,prompt 1.1 3MB http://u/tip,main update"},
        {"later", RunMode::kAutomatic, [](FakeEffects& f) { f.answer = 1; }, 1,
         "may,fetch,parse,verify VarnioUpdate\n1.1,prompt 1.1 3MB http://u/tip,delay"},
        {"forced, prompt not shown", RunMode::kManual,
         [](FakeEffects& f) {
             f.condition = "1.0";
             f.answer = -1;
         },
         -1, "may,fetch,parse,verify VarnioUpdate\n1.1,prompt 1.1 3MB http://u/tip forced"},
    };
    for (const Case& c : cases) {
        FakeEffects effects;
        c.setup(effects);
        RunContext context;
        context.mode = c.mode;
        ManifestRecord manifest;
        EXPECT_EQ(c.result, CheckForUpdate(context, manifest, effects)) << c.name;
        EXPECT_EQ(c.log, effects.log) << c.name;
    }
}
