#include "FileTypes.h"

#include <gtest/gtest.h>

using Log = std::vector<std::string>;

namespace {

const RegRoot kCr = RegRoot::classesRoot;

void SeedText(MemoryRegistryStore& store, const std::string& key, const std::string& text, const std::string& name = "")
{
    store.Seed(kCr, key, name, RegValue::String(text));
}

}  // namespace

TEST(FileTypesText, ExtensionsAreCleanedOrRefused)
{
    struct Case {
        const char* typed;
        ExtensionsCheck check;
        const char* text;
    } cases[] = {
        {"  Txt   .log  ", ExtensionsCheck::ok, "TXT LOG"},
        {"..zq1 tar.gz", ExtensionsCheck::ok, "ZQ1 TAR.GZ"},
        {" . .. ", ExtensionsCheck::empty, ""},
        {"zq1 z*q", ExtensionsCheck::badCharacter, ""},
        {"a\\b", ExtensionsCheck::badCharacter, ""},
        {"a|b", ExtensionsCheck::badCharacter, ""},
    };
    for (const Case& c : cases) {
        CleanExtensions clean = CleanExtensionsText(c.typed);
        EXPECT_EQ(clean.check, c.check) << c.typed;
        EXPECT_EQ(clean.text, c.text) << c.typed;
    }
}

TEST(FileTypesText, ConflictsAndExtensionsLeftToOtherRows)
{
    int count = 0;
    EXPECT_EQ(ExtensionConflicts("zq1 ZQ2", " ZQ1 RTF ZQ3 ", &count), "ZQ1 ");
    EXPECT_EQ(count, 1);
    EXPECT_EQ(ExtensionConflicts("ZQ1 ZQ3", " ZQ1 RTF ZQ3 ", &count), "ZQ1 ZQ3 ");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(ExtensionConflicts("ZQ", " ZQ1 ", &count), "");

    EXPECT_EQ(RemoveExtensions("ZQ1 RTF", "ZQ1"), "RTF");
    EXPECT_EQ(RemoveExtensions("RTF ZQ1 ZQ12", "ZQ1"), "RTF ZQ12");
    EXPECT_EQ(RemoveExtensions("ZQ1", "ZQ2 ZQ1"), std::nullopt);
}

TEST(FileTypesText, IconTextSplitsAtTheLastCommaOnlyBeforeANumber)
{
    struct Case {
        const char* text;
        const char* file;
        const char* number;
    } cases[] = {
        {"C:\\a,b\\icons.dll,3", "C:\\a,b\\icons.dll", "3"},
        {"C:\\x.ico", "C:\\x.ico", "0"},
        {"C:\\a,b\\x.ico", "C:\\a,b\\x.ico", ""},
        {"x.dll,-12", "x.dll", "-12"},
        {",5", "", "5"},
    };
    for (const Case& c : cases) {
        TypeIconText split = SplitTypeIcon(c.text);
        EXPECT_EQ(split.file, c.file) << c.text;
        EXPECT_EQ(split.number, c.number) << c.text;
    }
}

TEST(FileTypeKeys, NewTypeKeyIsFreeAndFitsTheRegistryWithItsSuffix)
{
    MemoryRegistryStore store;
    EXPECT_EQ(ChooseTypeKey(store, "ZQ1 ZQ2"), "zq1zq2file");
    SeedText(store, "zq1zq2file", "taken");
    SeedText(store, "ZQ1ZQ2FILE2", "taken");
    EXPECT_EQ(ChooseTypeKey(store, "ZQ1 ZQ2"), "zq1zq2file3");

    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "ZQ" + std::to_string(i) + " ";
    std::string first = ChooseTypeKey(store, many);
    EXPECT_EQ(first.size(), kMaxKeyName);
    EXPECT_EQ(first.substr(first.size() - 4), "file");
    store.CreateKey(kCr, first);
    std::string second = ChooseTypeKey(store, many);
    EXPECT_EQ(second.size(), kMaxKeyName);
    EXPECT_EQ(second.substr(second.size() - 5), "file2");
}

TEST(FileTypeSave, NewTypeWritesItsKeysAndOnlyChangedItemsLater)
{
    MemoryRegistryStore store;
    SeedText(store, ".zq3", "zq1zq2file");  // held before, given up now
    SeedText(store, ".ZQ1", "zq1zq2file");  // listed still: pointed again, never blanked
    FileTypeValues none;
    FileTypeValues values{"Made-up document", "ZQ1 ZQ2", "C:\\icons.dll", 3, true, true};
    EXPECT_TRUE(WriteFileType(store, "zq1zq2file", values, none));
    // The listed extensions are pointed at the type before any other is given up, so a failure
    // between the two never leaves the type without an extension.
    EXPECT_EQ(store.log, (Log{"set HKCR\\.zq1\\@ = zq1zq2file", "set HKCR\\.zq2\\@ = zq1zq2file", "set HKCR\\.zq3\\@ = ",
                              "set HKCR\\zq1zq2file\\DefaultIcon\\@ = C:\\icons.dll,3",
                              "set HKCR\\zq1zq2file\\@ = Made-up document", "set HKCR\\zq1zq2file\\quickview\\@ = *",
                              "set HKCR\\zq1zq2file\\AlwaysShowExt = *"}));

    // Only the description changed; both boxes cleared.
    store.log.clear();
    FileTypeValues edited = values;
    edited.extensions = "zq1 zq2";
    edited.description = "Renamed";
    edited.quickView = edited.alwaysShowExt = false;
    EXPECT_TRUE(WriteFileType(store, "zq1zq2file", edited, values));
    EXPECT_EQ(store.log, (Log{"set HKCR\\zq1zq2file\\@ = Renamed", "delete tree HKCR\\zq1zq2file\\quickview",
                              "delete HKCR\\zq1zq2file\\AlwaysShowExt"}));

    // Quick View not checked at open and still not: its key is left alone.
    store.log.clear();
    SeedText(store, "zq1zq2file\\quickview", "other");
    EXPECT_FALSE(WriteFileType(store, "zq1zq2file", edited, edited));
    EXPECT_EQ(store.log, Log{});
    EXPECT_TRUE(store.KeyExists(kCr, "zq1zq2file\\quickview"));

    EXPECT_FALSE(WriteFileType(store, "", values, none)) << "never under the class root";
    EXPECT_EQ(store.log, Log{});
}

TEST(FileTypeKeys, TheMemoryStoreRefusesNamesTheRegistryRefuses)
{
    MemoryRegistryStore store;
    const std::string longest(kMaxKeyName, 'k'), tooLong(kMaxKeyName + 1, 'k');
    EXPECT_TRUE(store.WriteString(kCr, "zq1file\\" + longest, longest, "x"));
    EXPECT_FALSE(store.WriteString(kCr, "zq1file\\" + tooLong + "\\command", "", "x"));
    EXPECT_FALSE(store.WriteString(kCr, "zq1file", tooLong, "x"));
    EXPECT_FALSE(store.CreateKey(kCr, tooLong));
    EXPECT_EQ(store.log.size(), 1u);
    EXPECT_FALSE(store.KeyExists(kCr, "zq1file\\" + tooLong));
}

TEST(FileTypeKeys, AKeyNameWithABackslashIsNeverWrittenOrRemoved)
{
    // A damaged or hostile registry: an extension naming "CLSID\\" or "\\" as its type would
    // address a system key or the class root itself.
    for (const char* typeKey : {"CLSID\\", "\\", "CLSID\\{zq}", "zq1file\\"}) {
        MemoryRegistryStore store;
        SeedText(store, "CLSID\\{zq}\\Shell\\open\\command", "x.exe");
        SeedText(store, ".zq1", typeKey);
        EXPECT_FALSE(IsUsableTypeKey(typeKey)) << typeKey;
        FileTypeValues values{"D", "ZQ1", "", 0, true, true};
        EXPECT_FALSE(WriteFileType(store, typeKey, values, FileTypeValues{})) << typeKey;
        EXPECT_FALSE(RemoveFileType(store, typeKey)) << typeKey;
        ActionValues action;
        action.displayName = "Open";
        action.program = "y.exe";
        WriteAction(store, typeKey, {"open", "open"}, action);
        RemoveAction(store, typeKey, "open");
        SetDefaultAction(store, typeKey, "open");
        EXPECT_EQ(store.log, Log{}) << typeKey;
    }
    EXPECT_TRUE(IsUsableTypeKey("zq1file"));
    EXPECT_FALSE(IsUsableTypeKey(""));
}

TEST(FileTypeSave, IconTextForFileSelfAndNone)
{
    MemoryRegistryStore store;
    FileTypeValues before{"D", "ZQ1", "C:\\x.ico", 0, false, false};
    for (const auto& [file, expected] : {std::pair<const char*, const char*>{"%1", "%1"}, {"", ""}}) {
        store.log.clear();
        FileTypeValues after = before;
        after.iconFile = file;
        EXPECT_TRUE(WriteFileType(store, "zq1file", after, before));
        EXPECT_EQ(store.log.front(), std::string("set HKCR\\zq1file\\DefaultIcon\\@ = ") + expected);
    }
}

TEST(FileTypeRemove, DeletesTheTypeAndExactlyItsExtensions)
{
    MemoryRegistryStore store;
    SeedText(store, ".zq1", "zq1file");
    SeedText(store, ".zq2", "zq1file");
    SeedText(store, ".zq3", "ZQ1FILE");  // another case: another type
    SeedText(store, ".zq4", "zq4file");
    SeedText(store, "zq1file\\Shell\\open\\command", "x.exe %1");
    EXPECT_TRUE(RemoveFileType(store, "zq1file"));
    EXPECT_EQ(store.log, (Log{"delete tree HKCR\\zq1file", "delete tree HKCR\\.zq1", "delete tree HKCR\\.zq2"}));
    EXPECT_EQ(store.SubKeys(kCr, ""), (std::vector<std::string>{".zq3", ".zq4"}));
    EXPECT_FALSE(RemoveFileType(store, ""));
}

TEST(FileTypeActions, ReadListsDisplayNamesAndKeepsAnExpandableCommand)
{
    MemoryRegistryStore store;
    SeedText(store, "zq1file\\Shell\\open", "");
    store.Seed(kCr, "zq1file\\Shell\\open\\command", "", RegValue::String("%WINDIR%\\x.exe %1", RegType::expandString));
    SeedText(store, "zq1file\\Shell\\print", "&Print");
    SeedText(store, "zq1file\\Shell\\print\\ddeexec\\topic", "System");
    auto actions = ReadActions(store, "zq1file");
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].displayName, "open");
    EXPECT_EQ(actions[1].displayName, "&Print");

    ActionValues open = ReadAction(store, "zq1file", "open");
    EXPECT_EQ(open.program, "%WINDIR%\\x.exe %1");
    EXPECT_EQ(open.programType, RegType::expandString);
    EXPECT_FALSE(open.useDde);
    EXPECT_TRUE(ReadAction(store, "zq1file", "print").useDde);

    open.program = "%WINDIR%\\y.exe";
    WriteAction(store, "zq1file", {"open", "open"}, open);
    EXPECT_EQ(store.log.back(), "set HKCR\\zq1file\\Shell\\open\\command\\@ = expand %WINDIR%\\y.exe %1");
}

TEST(FileTypeActions, NamesAreCheckedAgainstTheOtherActions)
{
    MemoryRegistryStore store;
    SeedText(store, "zq1file\\Shell\\open", "Open It");
    SeedText(store, "zq1file\\Shell\\view", "");
    struct Case {
        std::string own;
        std::string name;
        ActionNameCheck check;
    } cases[] = {
        {"", "   ", ActionNameCheck::empty},       {"", "a\\b", ActionNameCheck::badCharacter},
        {"", " open it ", ActionNameCheck::duplicate}, {"open", "OPEN IT", ActionNameCheck::ok},
        {"", "view", ActionNameCheck::ok},  // a key without a display name never matches
        // Its key must leave room for a numeric suffix within the registry's 255 characters.
        {"", std::string(kMaxActionName, 'a'), ActionNameCheck::ok},
        {"open", " " + std::string(kMaxActionName + 1, 'a') + " ", ActionNameCheck::tooLong},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckActionName(store, "zq1file", c.own, c.name), c.check) << c.name;
}

TEST(FileTypeActions, NewActionGetsAFreeKeyAndDdeOnlyWhenChecked)
{
    MemoryRegistryStore store;
    SeedText(store, "zq1file\\Shell\\My_Action", "");
    ActionValues values;
    values.displayName = " My Action ";
    values.program = "notepad.exe";
    values.useDde = false;
    values.topic = "ignored";
    auto written = WriteAction(store, "zq1file", {}, values);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->keyName, "My_Action2");
    EXPECT_EQ(written->displayName, "My Action");
    EXPECT_EQ(store.log, (Log{"set HKCR\\zq1file\\Shell\\My_Action2\\@ = My Action",
                              "set HKCR\\zq1file\\Shell\\My_Action2\\command\\@ = notepad.exe %1"}));

    store.log.clear();
    values.displayName = "Show";
    values.program = "\"C:\\v.exe\" /s %1";
    values.useDde = true;
    values.ddeMessage = "[open(\"%1\")]";
    values.topic = "";
    WriteAction(store, "zq1file", {}, values);
    EXPECT_EQ(store.log, (Log{"set HKCR\\zq1file\\Shell\\Show\\@ = Show",
                              "set HKCR\\zq1file\\Shell\\Show\\command\\@ = \"C:\\v.exe\" /s %1",
                              "set HKCR\\zq1file\\Shell\\Show\\ddeexec\\@ = [open(\"%1\")]"}));
}

TEST(FileTypeActions, EditKeepsTheVerbKeyAndRenameMovesTheDefault)
{
    MemoryRegistryStore store;
    SeedText(store, "zq1file\\Shell", "open");
    SeedText(store, "zq1file\\Shell\\open", "&Open");
    SeedText(store, "zq1file\\Shell\\open\\command", "old.exe %1");
    SeedText(store, "zq1file\\Shell\\open\\ddeexec", "[x]");
    SeedText(store, "zq1file\\Shell\\open\\DropTarget", "{guid}", "Clsid");

    ActionValues values = ReadAction(store, "zq1file", "open");
    values.program = "new.exe %1";
    values.useDde = false;
    ActionName same = WriteAction(store, "zq1file", {"&Open", "open"}, values).value();
    EXPECT_EQ(same.keyName, "open");
    EXPECT_EQ(store.log, (Log{"delete tree HKCR\\zq1file\\Shell\\open\\ddeexec",
                              "set HKCR\\zq1file\\Shell\\open\\@ = &Open",
                              "set HKCR\\zq1file\\Shell\\open\\command\\@ = new.exe %1"}));
    EXPECT_TRUE(store.KeyExists(kCr, "zq1file\\Shell\\open\\DropTarget"));

    // A rename the registry refuses leaves the action as it was, DDE values and default included.
    SeedText(store, "zq1file\\Shell\\open\\ddeexec\\topic", "System");
    store.log.clear();
    ActionValues refused = values;
    refused.displayName = std::string(kMaxKeyName + 1, 'v');
    refused.useDde = true;
    refused.topic = "System";
    EXPECT_FALSE(WriteAction(store, "zq1file", same, refused));
    EXPECT_EQ(store.log, Log{});
    EXPECT_EQ(ReadActions(store, "zq1file").size(), 1u);
    EXPECT_EQ(ReadAction(store, "zq1file", "open").topic, "System");
    EXPECT_EQ(store.ReadString(kCr, "zq1file\\Shell", ""), "open");

    // A rename writes the whole new key before the old one goes.
    store.log.clear();
    values.displayName = "View it";
    auto renamed = WriteAction(store, "zq1file", same, values);
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->keyName, "View_it");
    EXPECT_EQ(store.log, (Log{"set HKCR\\zq1file\\Shell\\View_it\\@ = View it",
                              "set HKCR\\zq1file\\Shell\\View_it\\command\\@ = new.exe %1",
                              "set HKCR\\zq1file\\Shell\\@ = View_it", "delete tree HKCR\\zq1file\\Shell\\open"}));

    // Only the letter case of the key's own name: the key stays.
    store.log.clear();
    values.displayName = "VIEW IT";
    EXPECT_EQ(WriteAction(store, "zq1file", *renamed, values)->keyName, "View_it");
}

TEST(FileTypeActions, RemoveAndSetDefault)
{
    MemoryRegistryStore store;
    SeedText(store, "zq1file\\Shell", "OPEN");
    SeedText(store, "zq1file\\Shell\\open\\command", "x %1");
    SeedText(store, "zq1file\\Shell\\print\\command", "x /p %1");
    RemoveAction(store, "zq1file", "print");
    RemoveAction(store, "zq1file", "open");
    SetDefaultAction(store, "zq1file", "edit");
    RemoveAction(store, "", "open");
    EXPECT_EQ(store.log, (Log{"delete tree HKCR\\zq1file\\Shell\\print", "delete tree HKCR\\zq1file\\Shell\\open",
                              "set HKCR\\zq1file\\Shell\\@ = ", "set HKCR\\zq1file\\Shell\\@ = edit"}));
}
