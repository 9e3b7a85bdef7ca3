#include "RegistryWritePlan.h"

#include <gtest/gtest.h>

using Log = std::vector<std::string>;
constexpr RegRoot kCR = RegRoot::classesRoot;

TEST(RegistryWritePlan, OnlyAValueThatDiffersInTypeOrBytesIsWritten)
{
    const RegValue text = RegValue::String("a.dll,3");
    const RegValue expand = RegValue::String("a.dll,3", RegType::expandString);
    struct Case {
        std::optional<RegValue> read, left;
        Log expected;
    } cases[] = {
        {text, text, {}},
        {std::nullopt, std::nullopt, {}},
        {text, expand, {"set HKCR\\k\\v = expand a.dll,3"}},
        {std::nullopt, text, {"set HKCR\\k\\v = a.dll,3"}},
        {text, std::nullopt, {"delete HKCR\\k\\v"}},
    };
    for (const Case& c : cases) {
        MemoryRegistryStore store;
        if (c.read)
            store.Seed(kCR, "k", "v", *c.read);
        RegWritePlan plan;
        PlanValue(plan, kCR, "k", "v", c.read, c.left);
        EXPECT_TRUE(RunWritePlan(store, plan).ok);
        EXPECT_EQ(store.log, c.expected);
    }
}

TEST(RegistryWritePlan, ARefusedChangeStopsTheRunAndTakesBackWhatItChanged)
{
    MemoryRegistryStore store;
    store.Seed(kCR, ".zqa", "", RegValue::String("zqafile"));
    store.Seed(kCR, "zqafile", "AlwaysShowExt", RegValue::String(""));
    store.Seed(kCR, "zqafile\\Shell\\open\\ddeexec", "NoActivateHandler", RegValue{RegType(7), {'x', 0, 0}});
    RegWritePlan plan = {
        RegWrite::Set(kCR, ".zqa", "", RegValue::String("other")),
        RegWrite::Set(kCR, ".zqb\\sub", "", RegValue::String("zqafile")),
        RegWrite::Delete(kCR, "zqafile", "AlwaysShowExt"),
        RegWrite::Delete(kCR, "zqafile", "gone"),
        RegWrite::DeleteTree(kCR, "zqafile\\Shell"),
        RegWrite::Set(kCR, "zqafile", "", RegValue::String("refused")),
    };
    store.refuse = [](const std::string& change) { return change.find("refused") != std::string::npos; };
    MemoryRegistryStore before = store;

    PlanOutcome outcome = RunWritePlan(store, plan);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.refused, "HKCR\\zqafile\\(Default)");
    for (auto [key, name] : {std::pair{".zqa", ""}, {"zqafile", "AlwaysShowExt"},
                             {"zqafile\\Shell\\open\\ddeexec", "NoActivateHandler"}})
        EXPECT_EQ(store.Read(kCR, key, name), before.Read(kCR, key, name)) << key;
    EXPECT_FALSE(store.KeyExists(kCR, ".zqb"));
    EXPECT_EQ(store.SubKeys(kCR, ""), before.SubKeys(kCR, ""));
}

TEST(RegistryWritePlan, ATreeCopiedUnderAnotherNameKeepsEveryValueAndType)
{
    MemoryRegistryStore store;
    store.Seed(kCR, "t\\Shell\\open", "", RegValue::String("&Open"));
    store.Seed(kCR, "t\\Shell\\open\\command", "", RegValue::String("x.exe /n /dde", RegType::expandString));
    store.Seed(kCR, "t\\Shell\\open\\ddeexec", "NoActivateHandler", RegValue{RegType(7), {'a', 0, 0}});
    store.Seed(kCR, "t\\Shell\\open\\ddeexec\\topic", "", RegValue::String("System"));
    RegWritePlan plan;
    PlanTree(plan, kCR, "t\\Shell\\view", *ReadTree(store, kCR, "t\\Shell\\open"));
    ASSERT_TRUE(RunWritePlan(store, plan).ok);
    for (auto [sub, name] : {std::pair{"", ""}, {"\\command", ""}, {"\\ddeexec", "NoActivateHandler"},
                             {"\\ddeexec\\topic", ""}})
        EXPECT_EQ(store.Read(kCR, std::string("t\\Shell\\view") + sub, name),
                  store.Read(kCR, std::string("t\\Shell\\open") + sub, name))
            << sub;
}

TEST(RegistryWritePlan, TheMemoryStoreRefusesKeysTheRegistryCannotHold)
{
    MemoryRegistryStore store;
    for (const std::string& key : {std::string("a\\\\b"), std::string("a\\"), std::string("." + std::string(255, 'Q'))})
        EXPECT_FALSE(store.Write(kCR, key, "", RegValue::String("x"))) << key;
    EXPECT_TRUE(store.log.empty());
}
