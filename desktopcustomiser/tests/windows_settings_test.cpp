#include "NumberField.h"
#include "WindowsSettings.h"

#include <gtest/gtest.h>

#include <map>

using Log = std::vector<std::string>;

TEST(RegistryStore, TreeDeletesRefuseNamesThatMeanTheRoot)
{
    MemoryRegistryStore store;
    store.Seed(RegRoot::classesRoot, ".zzq", "", RegValue::String("zzqfile"));
    store.Seed(RegRoot::classesRoot, "zzqfile\\shell\\open\\command", "", RegValue::String("x.exe"));
    EXPECT_FALSE(store.DeleteTree(RegRoot::classesRoot, ""));
    EXPECT_FALSE(store.DeleteTree(RegRoot::classesRoot, "\\zzqfile"));
    EXPECT_TRUE(store.KeyExists(RegRoot::classesRoot, "ZZQFILE\\Shell"));
    EXPECT_EQ(store.SubKeys(RegRoot::classesRoot, ""), (std::vector<std::string>{".zzq", "zzqfile"}));
    EXPECT_TRUE(store.DeleteTree(RegRoot::classesRoot, "zzqFile"));
    EXPECT_FALSE(store.KeyExists(RegRoot::classesRoot, "zzqfile\\shell"));
    EXPECT_TRUE(store.KeyExists(RegRoot::classesRoot, ".zzq"));
    EXPECT_EQ(store.log, (Log{"delete tree HKCR\\zzqFile"}));
}

TEST(MiscSettings, OddStoredFormsReadAsMissingAndApplyWritesOnce)
{
    MemoryRegistryStore store;
    store.Seed(RegRoot::localMachine, "System\\CurrentControlSet\\control\\FileSystem", "NameNumericTail",
               RegValue{RegType::dword, {0, 0, 0, 0}});
    store.Seed(RegRoot::currentUser, "Control Panel\\desktop\\WindowMetrics", "MinAnimate", RegValue::String("01"));
    store.Seed(RegRoot::currentUser, "Control Panel\\Desktop", "MenuShowDelay", RegValue::String("400"));
    store.Seed(RegRoot::currentUser, "Control Panel\\Desktop", "SmoothScroll", RegValue{RegType::dword, {1, 0, 0, 0}});
    MiscSettings read = ReadMiscSettings(store);
    EXPECT_EQ(read.numericTail, 1);
    EXPECT_EQ(read.animatedMenus, 0);
    EXPECT_EQ(read.menuDelay, "400");
    EXPECT_EQ(read.smoothScroll, 0);

    EXPECT_FALSE(ApplyMiscSettings(store, read)) << "no change needs no restart";
    EXPECT_EQ(store.log, (Log{"set HKCU\\Control Panel\\desktop\\WindowMetrics\\MinAnimate = 0",
                              "set HKLM\\System\\CurrentControlSet\\control\\FileSystem\\NameNumericTail = binary 1",
                              "set HKCU\\Control Panel\\Desktop\\MenuShowDelay = 400",
                              "set HKCU\\Control Panel\\Desktop\\SmoothScroll = binary 0"}));
    store.log.clear();
    MiscSettings cleared = read;
    cleared.menuDelay.clear();
    cleared.smoothScroll = 1;
    EXPECT_TRUE(ApplyMiscSettings(store, cleared));
    EXPECT_EQ(store.log[2], "delete HKCU\\Control Panel\\Desktop\\MenuShowDelay");
}

TEST(ShellIcons, LocationTextsSplitOnlyBeforeANumber)
{
    struct Case {
        const char* text;
        IconLocation expected;
    } cases[] = {
        {"C:\\Icons\\a.dll,3", {"C:\\Icons\\a.dll", "3"}},
        {"C:\\Icons\\a.dll", {"C:\\Icons\\a.dll", "0"}},
        {"C:\\Icons\\a.dll,ab", {"C:\\Icons\\a.dll,ab", "0"}},
        {"C:\\x.dll,-2", {"C:\\x.dll", "-2"}},
        {"C:\\My,Icons\\a.dll,3", {"C:\\My,Icons\\a.dll,3", "0"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIconLocation(c.text), c.expected) << c.text;
}

TEST(ShellIcons, ApplyWritesOnlyTheRowsTheUserChanged)
{
    const std::string icons = "HKLM\\" + std::string(kShellIconsKey);
    const std::string controlPanel = "CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}";
    const std::string shell32 = "C:\\WIN\\SYSTEM\\Shell32.dll";
    struct Case {
        int key;
        std::optional<RegValue> stored;
        std::optional<IconLocation> left;  // nothing: the user did not touch the row
        Log expected;
    } cases[] = {
        {3, RegValue::String("C:\\\xCE\xA9mega\\a.dll,3"), std::nullopt, {}},  // a path the code page cannot spell
        {3, RegValue::String("C:\\My,Icons\\a.dll,3"), IconLocation{"C:\\My,Icons\\a.dll,3", "0"}, {}},
        {4, std::nullopt, std::nullopt, {}},  // the shell's own default stays implicit
        {8, std::nullopt, IconLocation{shell32, "8"}, {}},  // "Default Icon" on a row that showed it
        {9, RegValue::String("a.dll, 2"), IconLocation{"a.dll", "2"}, {}},
        {43, std::nullopt, std::nullopt, {}},  // no class key is created
        {44, std::nullopt, std::nullopt, {}},
        {8, std::nullopt, IconLocation{"C:\\b.dll", "1"}, {"set " + icons + "\\8 = C:\\b.dll,1"}},
        {4, RegValue::Binary({1, 2}), IconLocation{"C:\\b.dll", "1"}, {"set " + icons + "\\4 = C:\\b.dll,1"}},
        {5, RegValue::String("%W%\\a.dll,1", RegType::expandString), IconLocation{"%W%\\b.dll", "1"},
         {"set " + icons + "\\5 = expand %W%\\b.dll,1"}},
        {44, std::nullopt, IconLocation{"C:\\b.dll", "1"}, {"set HKCR\\" + controlPanel + "\\DefaultIcon\\@ = C:\\b.dll,1"}},
    };
    for (const Case& c : cases) {
        MemoryRegistryStore store;
        store.Seed(RegRoot::classesRoot, controlPanel, "", RegValue::String("Control Panel"));
        bool isClass = IsClassIconKey(c.key);
        if (c.stored)
            store.Seed(isClass ? RegRoot::classesRoot : RegRoot::localMachine,
                       isClass ? ShellIconClassKey(c.key) : std::string(kShellIconsKey),
                       isClass ? "" : std::to_string(c.key), *c.stored);
        std::vector<ShellIconRow> rows = {ReadShellIconRow(store, c.key, "C:\\WIN\\SYSTEM", "C:\\WIN")};
        if (c.left)
            rows[0].location = *c.left;
        // Two applies in one sheet: the second finds nothing more to write.
        for (const Log& expected : {c.expected, Log{}}) {
            store.log.clear();
            ASSERT_TRUE(RunWritePlan(store, PlanShellIcons(rows)).ok);
            ShellIconsApplied(rows);
            EXPECT_EQ(store.log, expected) << c.key;
        }
        EXPECT_FALSE(store.KeyExists(RegRoot::classesRoot, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
    }
}

TEST(ShellIcons, ARefusedRowLeavesTheRegistryAsItWas)
{
    MemoryRegistryStore store;
    store.Seed(RegRoot::localMachine, kShellIconsKey, "8", RegValue::String("C:\\old.dll,2"));
    std::vector<ShellIconRow> rows;
    for (int key : {8, 9})
        rows.push_back(ReadShellIconRow(store, key, "C:\\WIN\\SYSTEM", "C:\\WIN"));
    rows[0].location = rows[1].location = {"C:\\b.dll", "1"};
    store.refuse = [](const std::string& change) { return change.find("\\9 =") != std::string::npos; };
    PlanOutcome outcome = RunWritePlan(store, PlanShellIcons(rows));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.refused, "HKLM\\" + std::string(kShellIconsKey) + "\\9");
    EXPECT_EQ(store.Read(RegRoot::localMachine, kShellIconsKey, "8"), RegValue::String("C:\\old.dll,2"));
}

TEST(ShellIcons, CacheRebuildPutsTheIconSizeBackAsItWas)
{
    const std::string metrics = "Control Panel\\desktop\\WindowMetrics";
    const std::string key = "HKCU\\" + metrics + "\\Shell Icon Size";
    struct Case {
        std::optional<RegValue> before;
        Log expected;
    } cases[] = {
        {std::nullopt, {"set " + key + " = 1", "delete " + key}},
        {RegValue::String("32"), {"set " + key + " = 33", "set " + key + " = 32"}},
        {RegValue::Binary({32, 0}), {"set " + key + " = 1", "set " + key + " = binary 2 bytes"}},
        {RegValue{RegType::multiString, {'3', '2', 0, 0}}, {"set " + key + " = 1", "set " + key + " = type 7, 4 bytes"}},
    };
    for (const Case& c : cases) {
        MemoryRegistryStore store;
        if (c.before)
            store.Seed(RegRoot::currentUser, metrics, "Shell Icon Size", *c.before);
        int applied = 0;
        RebuildShellIconCache(store, [&] { ++applied; });
        EXPECT_EQ(applied, 2);
        EXPECT_EQ(store.log, c.expected);
        EXPECT_EQ(store.Read(RegRoot::currentUser, metrics, "Shell Icon Size"), c.before);
    }
}

TEST(BootOptions, UnrelatedOkChangesNothingAndChangesWriteTheirKeys)
{
    std::map<std::string, int> file = {{"BootMulti", 1}, {"DoubleBuffer", 1}, {"DrvSpace", 0}, {"AutoScan", 7}};
    auto reader = [&](const char* key) -> std::optional<int> {
        auto it = file.find(key);
        return it == file.end() ? std::nullopt : std::optional<int>(it->second);
    };
    BootFileState state = ReadBootOptions(reader);
    EXPECT_EQ(state.shown.compression, 1);  // DblSpace missing counts as 1
    EXPECT_EQ(state.shown.doubleBuffer, 2);
    EXPECT_EQ(state.shown.autoScan, -1);
    EXPECT_EQ(BootOptionWrites(state, state.shown), (std::vector<std::pair<std::string, int>>{}));

    // Only what now differs from the file's own value (or the default of a key it lacks).
    BootOptions changed = state.shown;
    changed.compression = 0;
    changed.doubleBuffer = 1;
    changed.bootMenuDelay = 5;
    changed.bootMulti = 1;
    EXPECT_EQ(BootOptionWrites(state, changed),
              (std::vector<std::pair<std::string, int>>{{"DblSpace", 0}, {"BootMenuDelay", 5}, {"DoubleBuffer", 2}}));
}

TEST(BootOptions, TheFileIsReplacedOnlyWithTheChangedLines)
{
    struct FakeBootFile : BootFile {
        std::optional<std::string> text;
        bool replaceWorks = true;
        int replaced = 0;
        std::optional<std::string> Read() override { return text; }
        bool Replace(const std::string& bytes) override
        {
            ++replaced;
            if (replaceWorks)
                text = bytes;
            return replaceWorks;
        }
    };
    const std::string file = "[Options]\r\nBootMenuDelay = 5\r\nLogo=1\r\n\x1A";
    BootFileState state = ReadBootOptions(BootFileKeys(file));
    EXPECT_EQ(state.shown.bootMenuDelay, 5);
    BootOptions changed = state.shown;
    changed.logo = 0;
    changed.bootDelay = 3;
    struct Case {
        std::optional<std::string> text;  // the file when the page saves
        bool replaceWorks;
        const BootOptions& after;
        BootSave result;
        std::optional<std::string> expected;
    } cases[] = {
        {file, true, state.shown, BootSave::unchanged, file},
        {file, true, changed, BootSave::saved, "[Options]\r\nBootMenuDelay = 5\r\nLogo=0\r\nBootDelay=3\r\n\x1A"},
        {"[Options]\r\nLogo=0\r\nBootDelay=3\r\n", true, changed, BootSave::unchanged,
         "[Options]\r\nLogo=0\r\nBootDelay=3\r\n"},
        {"", true, changed, BootSave::saved, "[Options]\r\nLogo=0\r\nBootDelay=3\r\n"},
        {file, false, changed, BootSave::failed, file},
        {std::nullopt, true, changed, BootSave::failed, std::nullopt},  // there, but unreadable
    };
    for (const Case& c : cases) {
        FakeBootFile boot;
        boot.text = c.text;
        boot.replaceWorks = c.replaceWorks;
        EXPECT_EQ(SaveBootOptions(boot, state, c.after), c.result) << c.text.value_or("<unreadable>");
        EXPECT_EQ(boot.text, c.expected);
        EXPECT_EQ(boot.replaced > 0, c.result == BootSave::saved || !c.replaceWorks);
    }
}

TEST(NumberField, OnlyAChangedNumberMustBeInRange)
{
    struct Case {
        int left, read;
        bool accepted;
    } cases[] = {{90, 90, true}, {60, 90, true}, {61, 90, false}, {90, 2, false}, {0, 2, true}, {-1, 2, false}};
    for (const Case& c : cases)
        EXPECT_EQ(NumberFieldAccepted(c.left, c.read, 0, 60), c.accepted) << c.left << " read " << c.read;
}
