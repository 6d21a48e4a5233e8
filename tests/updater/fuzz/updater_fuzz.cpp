// Feeds generated and mutated update manifests, configuration documents, settings values and command
// lines to the updater's parsers and its decision, now and then a hostile document (nested far too deep,
// or longer than the parsers take), and counts the cases that ran without a crash, a hang or a read past
// the end of their input. It also prints what one signature verification costs. Each input (with the padding the XML parsers are given) ends
// right before a page the process may not read, so reading one byte too far faults. A crash or a hang prints the case
// and saves its input.
//   updater_fuzz [cases, default 1000000] [seed]
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "updater/check/manifest.h"
#include "updater/check/throttle.h"
#include "updater/check/update_check.h"
#include "updater/check/update_signature.h"
#include "updater/config/movrel_settings.h"
#include "updater/config/product_key.h"
#include "updater/config/update_config.h"
#include "updater/config/xml_text.h"
#include "updater/install/package_file.h"
#include "updater/startup/command_line.h"

namespace {
enum Kind { kManifest, kConfig, kSettings, kCommandLine, kKinds };
const char* const kKindNames[kKinds] = {"manifest", "configuration", "settings", "command line"};

// xorshift64*: fast, and the same sequence for the same seed on every machine.
struct Random {
    uint64_t state;
    uint64_t Next() {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 2685821657736338717ULL;
    }
    size_t Below(size_t n) { return n ? static_cast<size_t>(Next() % n) : 0; }
    bool Chance(unsigned percent) { return Below(100) < percent; }
};

// Inputs are copied to the end of this arena; the page after it is inaccessible.
class GuardedInput {
public:
    static constexpr size_t kCapacity = 2 * kXmlMaxBytes;
    GuardedInput() {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        m_page = info.dwPageSize;
        m_base =
            static_cast<char*>(::VirtualAlloc(nullptr, kCapacity + m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        ::VirtualProtect(m_base + kCapacity, m_page, PAGE_NOACCESS, &old);
    }
    // The text with its terminator as the last readable byte.
    const char* Place(const std::string& text) {
        const size_t n = std::min(text.size(), kCapacity - 1);
        char* start = m_base + kCapacity - n - 1;
        std::memcpy(start, text.data(), n);
        start[n] = '\0';
        return start;
    }

private:
    char* m_base = nullptr;
    size_t m_page = 4096;
};

const char* const kManifestSeeds[] = {
    "<update><current version=\"1.1.06.06\" md5=\"0123456789abcdef0123456789abcdef\" releasetime=\"2024-05-01\" "
    "urlauto=\"http://u.example/pkg/Sorvik_setup.exe\" urlmanual=\"http://u.example/\" "
    "urltip=\"http://u.example/tip.html\" bufsize=\"12.5MB\"/><force condition=\"1.1.06.05\"/></update>",
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r><force condition=\"\"/><!-- c --><current version=\"2\"/></r>",
    "<r>text<current version=\"1\"><current version=\"3\"/></current><force/><current/></r>",
    "\xEF\xBB\xBF<r><![CDATA[x]]><current urlauto=\"http://u/..\\\\a.exe?x=1\" md5=\"&amp;&#x41;&lt;\"/></r>",
};
const char* const kConfigSeeds[] = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><config><item id=\"IDS_REG_KEY\">HKEY_CURRENT_USER\\SOFTWARE\\"
    "VarnioWorks\\Sorvik</item><item id=\"IDS_MTX\">m</item><item id=\"IDS_UPDATE_APP_SHOWNAME\">\xE7\x93\xA6"
    "</item><item id=\"IDS_MTX\">second</item></config>",
    "<c><i id=\"IDS_UPDATE_NETXML_URL\">http://u/m.xml?a=1</i><i id=\"IDS_REG_VAR\"/><i>no id</i></c>",
};
const char* const kSettingsSeeds[] = {"1700000000",           "-1",     "0", "99999999999999999999",
                                      "-9223372036854775808", " 42abc", ""};
const char* const kCommandSeeds[] = {"-hdl 1234 -man", "-man -hdl", "-hdl -1", "-hdl   4294967296", "x-hdl9-man"};
const char* const kTokens[] = {"<current ",
                               "<force ",
                               "version=\"",
                               "condition=\"",
                               "md5=\"",
                               "urlauto=\"",
                               "\"",
                               "/>",
                               ">",
                               "</current>",
                               "<!--",
                               "-->",
                               "<![CDATA[",
                               "]]>",
                               "&amp;",
                               "&#x",
                               "&#",
                               ";",
                               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                               "\xEF\xBB\xBF",
                               "<item id=\"",
                               "IDS_REG_KEY",
                               "HKEY_CURRENT_USER\\",
                               "\\",
                               "-hdl",
                               "-man",
                               " ",
                               "9",
                               "-",
                               "\xC0",
                               "\xE7\x93",
                               "\xFF\xFE",
                               "</",
                               "<"};

std::string Mutate(std::string text, Random& random) {
    const size_t rounds = 1 + random.Below(8);
    for (size_t r = 0; r < rounds; ++r) {
        const size_t at = random.Below(text.size() + 1);
        switch (random.Below(6)) {
            case 0:  // flip one byte
                if (!text.empty())
                    text[random.Below(text.size())] ^= static_cast<char>(1 + random.Below(255));
                break;
            case 1:  // a random byte
                text.insert(at, 1, static_cast<char>(random.Below(256)));
                break;
            case 2:  // a token the parsers care about
                text.insert(at, kTokens[random.Below(sizeof(kTokens) / sizeof(kTokens[0]))]);
                break;
            case 3:  // cut a piece out
                text.erase(at, random.Below(16));
                break;
            case 4:  // repeat a piece
                text.insert(at, text.substr(random.Below(text.size() + 1), random.Below(64)));
                break;
            default:  // cut the end off
                text.resize(random.Below(text.size() + 1));
                break;
        }
    }
    return text;
}

// A document of random nesting made of the elements and attributes the updater looks for.
std::string Generate(Random& random, int depth = 0) {
    static const char* const names[] = {"current", "force", "item", "r", "Current"};
    static const char* const attributes[] = {"version", "md5",       "urlauto",     "urlmanual", "urltip",
                                             "bufsize", "condition", "releasetime", "id"};
    std::string xml;
    const size_t children = random.Below(depth == 0 ? 2 : 5);
    for (size_t i = 0; i < children; ++i) {
        const std::string name = names[random.Below(5)];
        xml += "<" + name;
        for (size_t a = random.Below(4); a > 0; --a) {
            std::string value(random.Below(12), 'x');
            for (char& ch : value)
                ch = static_cast<char>(0x20 + random.Below(0x5F));
            for (char& ch : value)
                ch = ch == '"' || ch == '<' || ch == '&' ? '.' : ch;
            xml += std::string(" ") + attributes[random.Below(9)] + "=\"" + value + "\"";
        }
        xml += depth < 3 && random.Chance(40) ? ">" + Generate(random, depth + 1) + "</" + name + ">" : "/>";
    }
    return depth == 0 ? "<root>" + xml + Generate(random, 1) + "</root>" : xml;
}

// A well-formed document of `kind` that is deeper or longer than the parsers take, or just within the
// bounds; *refused tells which. Within the bounds a manifest is complete and a configuration loads.
std::string Hostile(Kind kind, Random& random, bool* refused) {
    std::string xml = kind == kManifest ? "<update><current version=\"9\"/><force condition=\"9\"/>"
                                        : "<config><item id=\"IDS_MTX\">m</item>";
    const std::string end = kind == kManifest ? "</update>" : "</config>";
    if (random.Chance(50)) {
        const size_t levels = random.Below(random.Chance(50) ? 2 * kXmlMaxDepth : 150000);
        for (size_t i = 0; i < levels; ++i)
            xml += "<x>";
        for (size_t i = 0; i < levels; ++i)
            xml += "</x>";
        *refused = 1 + levels > kXmlMaxDepth;
    } else {
        const size_t bytes = kXmlMaxBytes - 64 + random.Below(kXmlMaxBytes / 2);
        while (xml.size() + end.size() + 4 <= bytes)
            xml += "<a/>";
        *refused = xml.size() + end.size() > kXmlMaxBytes;
    }
    return xml + end;
}

template <size_t N>
std::string Seed(const char* const (&seeds)[N], Random& random) {
    return seeds[random.Below(N)];
}

// Plays the world around the decision with what the parsed manifest says.
class ScriptedEffects : public UpdateCheckEffects {
public:
    ScriptedEffects(Random& random, const ManifestRecord& parsed, bool complete)
        : m_random(random), m_parsed(parsed), m_complete(complete) {}
    bool MayCheckNow(RunMode) override { return m_random.Chance(90); }
    bool FetchManifest() override { return m_random.Chance(90); }
    bool ParseManifest(ManifestRecord& record) override {
        record = m_parsed;
        if (m_random.Chance(50)) {  // signed, so the decision goes on past the signature
            record.sha256.assign(2 * kSha256Bytes, 'a');
            record.signature.assign(2 * kSignatureBytes, 'b');
        }
        return m_complete;
    }
    bool VerifySignature(const SignedStatement&) override { return verified = m_random.Chance(70); }
    std::string InstalledVersion() override { return m_random.Chance(50) ? m_parsed.condition : "1.1.06.05"; }
    void ShowFetchFailed() override {}
    void ShowUpToDate(const std::string&) override { upToDate = true; }
    int ShowPrompt(const PromptRequest& request) override {
        prompted = true;
        forced = request.forced;
        answer = static_cast<int>(m_random.Below(4)) - 1;
        return answer;
    }
    void StartMainProgramForUpdate() override { started = true; }
    void RememberDelay() override { delayed = true; }

    bool upToDate = false, prompted = false, forced = false, started = false, delayed = false, verified = false;
    int answer = 0;

private:
    Random& m_random;
    const ManifestRecord& m_parsed;
    bool m_complete;
};

struct Progress {
    std::atomic<uint64_t> done{0};
    std::atomic<int> kind{0};
    std::string input;  // the case being run; read by the crash and hang reports
} g_progress;

// The case is a hostile document (Hostile), to be refused or taken as it says.
struct {
    bool active = false, refused = false;
} g_hostile;

std::wstring g_reportPath;

void Report(const char* what, DWORD code) {
    std::printf("fuzz: %s in case %llu (%s), code 0x%08lX; its input is saved in %ls\n", what,
                static_cast<unsigned long long>(g_progress.done.load()), kKindNames[g_progress.kind.load()], code,
                g_reportPath.c_str());
    if (FILE* file = _wfopen(g_reportPath.c_str(), L"wb")) {
        std::fwrite(g_progress.input.data(), 1, g_progress.input.size(), file);
        std::fclose(file);
    }
    std::fflush(stdout);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    Report("crash", info->ExceptionRecord->ExceptionCode);
    ::ExitProcess(2);
}

DWORD WINAPI Watchdog(void*) {
    uint64_t last = ~0ULL;
    for (int still = 0;; ::Sleep(1000)) {
        const uint64_t now = g_progress.done.load();
        still = now == last ? still + 1 : 0;
        last = now;
        if (still >= 10) {
            Report("hang", 0);
            ::ExitProcess(3);
        }
    }
}

// Milliseconds of one verification of a statement against the built-in key (what the signature rule
// adds to a check); the signature does not verify, which costs CNG the same work as one that does.
double VerificationMilliseconds() {
    SignedStatement statement;
    statement.text = UpdateStatementText("1.1.06.06", std::string(2 * kSha256Bytes, 'a'));
    std::memset(statement.signature, 0xbb, sizeof(statement.signature));
    constexpr int kRounds = 200;
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i)
        VerifyWithUpdateKey(statement);
    ::QueryPerformanceCounter(&end);
    return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart) / kRounds;
}

// One case; returns false when an invariant of the decision does not hold.
bool RunCase(Kind kind, Random& random, GuardedInput& guard, uint64_t stats[8], const std::wstring& iniPath) {
    switch (kind) {
        case kManifest: {
            ManifestRecord record;
            const bool complete = ParsePaddedManifest(guard.Place(PaddedXml(g_progress.input)), record);
            stats[0] += complete;
            if (g_hostile.active)
                return complete != g_hostile.refused;
            PackageFileName(record.urlAuto);
            ScriptedEffects effects(random, record, complete);
            RunContext context;
            context.mode = random.Chance(50) ? RunMode::kManual : RunMode::kAutomatic;
            ManifestRecord filled;
            const int result = CheckForUpdate(context, filled, effects);
            stats[1] += effects.prompted;
            if (!effects.prompted)
                return result == kCheckNothing && !effects.started && !effects.delayed;
            // Only a newer, signed version is offered; accepting starts the product, "later" is remembered.
            return effects.verified && VersionLess(context.installedVersion, record.version) &&
                   result == effects.answer && effects.started == (result == kCheckAccepted) &&
                   effects.delayed == (result == kCheckLater);
        }
        case kConfig: {
            CUpdateConfig config;
            const bool loaded = config.ParsePadded(guard.Place(PaddedXml(g_progress.input)));
            stats[2] += loaded;
            if (g_hostile.active)
                return loaded != g_hostile.refused && loaded == (config.Get(config_key::kMutex) == "m");
            for (const char* key : {config_key::kNetXmlUrl, config_key::kRegKey, config_key::kMutex,
                                    config_key::kShowName, config_key::kAppName}) {
                const std::string value = config.Get(key);
                SplitProductKey(value);
                PackageFileName(value);
            }
            return true;
        }
        case kSettings: {
            const int64_t stored = ParseCheckTime(guard.Place(g_progress.input));
            const int64_t now = static_cast<int64_t>(random.Next());
            const bool may = MayCheckNow(random.Chance(10), stored, now);
            stats[3] += may;
            // Now and then through the settings file itself, as the updater reads it.
            if (random.Below(1000) == 0) {
                const std::string line = g_progress.input.substr(0, g_progress.input.find_first_of("\r\n"));
                if (FILE* file = _wfopen(iniPath.c_str(), L"wb")) {
                    std::fprintf(file, "[check]\r\ncheck_time=%s\r\n", line.c_str());
                    std::fclose(file);
                }
                ParseCheckTime(ReadCheckTime(iniPath).c_str());
                ++stats[4];
            }
            return stored == 0 ? may : true;
        }
        default: {
            const std::string text(guard.Place(g_progress.input));  // up to the first NUL, as Windows passes it
            const TaviskCommandLine line = ParseTaviskCommandLine(text);
            stats[5] += line.launcherHandle != 0;
            return text.find("-man") == std::string::npos || line.manual;
        }
    }
}
}  // namespace

int main(int argc, char** argv) {
    const uint64_t cases = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    Random random{argc > 2 ? std::strtoull(argv[2], nullptr, 10) | 1 : 0x9E3779B97F4A7C15ULL};
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    g_reportPath = std::wstring(temp) + L"updater_fuzz_case.bin";
    const std::wstring iniPath = std::wstring(temp) + L"updater_fuzz_settings.ini";
    ::SetUnhandledExceptionFilter(&OnCrash);
    ::CloseHandle(::CreateThread(nullptr, 0, &Watchdog, nullptr, 0, nullptr));

    GuardedInput guard;
    uint64_t perKind[kKinds] = {}, stats[8] = {}, broken = 0;
    const DWORD start = ::GetTickCount();
    for (uint64_t i = 0; i < cases; ++i) {
        const size_t roll = random.Below(100);
        const Kind kind = roll < 40 ? kManifest : roll < 70 ? kConfig : roll < 85 ? kSettings : kCommandLine;
        g_progress.kind = kind;
        switch (kind) {
            case kManifest:
                g_progress.input = random.Chance(30) ? Generate(random) : Seed(kManifestSeeds, random);
                break;
            case kConfig:
                g_progress.input = Seed(kConfigSeeds, random);
                break;
            case kSettings:
                g_progress.input = Seed(kSettingsSeeds, random);
                break;
            default:
                g_progress.input = Seed(kCommandSeeds, random);
                break;
        }
        g_hostile.active = (kind == kManifest || kind == kConfig) && random.Below(1000) == 0;
        if (g_hostile.active) {
            g_progress.input = Hostile(kind, random, &g_hostile.refused);
            stats[6] += 1;
            stats[7] += g_hostile.refused;
        } else if (random.Chance(90)) {
            g_progress.input = Mutate(g_progress.input, random);
        }
        try {
            if (!RunCase(kind, random, guard, stats, iniPath)) {
                ++broken;
                Report("broken decision", 0);
            }
        } catch (...) {
            ++broken;
            Report("exception", 0);
        }
        ++perKind[kind];
        g_progress.done = i + 1;
        if ((i + 1) % 100000 == 0) {
            std::printf("fuzz: %llu cases\n", static_cast<unsigned long long>(i + 1));
            std::fflush(stdout);
        }
    }
    ::DeleteFileW(iniPath.c_str());
    const double seconds = (::GetTickCount() - start) / 1000.0;
    std::printf(
        "fuzz: %llu cases in %.1f s (manifests %llu, configuration documents %llu, settings values %llu of "
        "which %llu through the settings file, command lines %llu)\n",
        static_cast<unsigned long long>(cases), seconds, static_cast<unsigned long long>(perKind[kManifest]),
        static_cast<unsigned long long>(perKind[kConfig]), static_cast<unsigned long long>(perKind[kSettings]),
        static_cast<unsigned long long>(stats[4]), static_cast<unsigned long long>(perKind[kCommandLine]));
    std::printf(
        "fuzz: complete manifests %llu, prompts %llu, configuration documents that loaded %llu, "
        "launcher handles found %llu\n",
        static_cast<unsigned long long>(stats[0]), static_cast<unsigned long long>(stats[1]),
        static_cast<unsigned long long>(stats[2]), static_cast<unsigned long long>(stats[5]));
    std::printf("fuzz: one signature verification through the platform's cryptography: %.2f ms\n",
                VerificationMilliseconds());
    std::printf("fuzz: hostile documents %llu, of which %llu too deep or too long\n",
                static_cast<unsigned long long>(stats[6]), static_cast<unsigned long long>(stats[7]));
    std::printf("fuzz: %llu of %llu ran without a crash, a hang or a read past a buffer; %llu broke a rule\n",
                static_cast<unsigned long long>(cases - broken), static_cast<unsigned long long>(cases),
                static_cast<unsigned long long>(broken));
    return broken ? 1 : 0;
}
