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

namespace {

// A save as the dialog runs it; true when it reported a change of extensions, icon or description.
bool SaveType(MemoryRegistryStore& store, const std::string& typeKey, const FileTypeValues& values,
              const FileTypeValues& remembered, bool* written = nullptr)
{
    FileTypeSave save = PlanFileType(store, typeKey, values, remembered);
    bool ok = RunWritePlan(store, save.plan).ok;
    if (written)
        *written = ok;
    return ok && save.changed;
}

// An action editor's OK: what it read when it opened and what the user left.
std::optional<ActionName> SaveAction(MemoryRegistryStore& store, const std::string& typeKey,
                                     const ActionName& previous, const ActionValues& read, const ActionValues& left)
{
    ActionSave save = PlanAction(store, typeKey, previous, read, left);
    if (!RunWritePlan(store, save.plan).ok)
        return std::nullopt;
    return save.names;
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

TEST(FileTypesText, ADescriptionTooLongForTheShellIsReadFromTheTypeKey)
{
    MemoryRegistryStore store;
    const std::string longest(kShellTypeNameSize - 1, 'd'), tooLong(kShellTypeNameSize, 'd');
    SeedText(store, "zqafile", longest);
    SeedText(store, "zqbfile", tooLong);
    EXPECT_EQ(RowDescription(store, "zqafile", "Zq A"), "Zq A");
    EXPECT_EQ(RowDescription(store, "ZQBFILE", "zqbfile file"), tooLong);
    EXPECT_EQ(RowDescription(store, "", "ZQC File"), "ZQC File");
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
    SeedText(store, ".ZQ1", "ZQ1ZQ2FILE");  // listed and naming the type already: left alone
    FileTypeValues none;
    FileTypeValues values{"Made-up document", "ZQ1 ZQ2", "C:\\icons.dll", 3, true, true};
    EXPECT_TRUE(SaveType(store, "zq1zq2file", values, none));
    // The listed extensions are pointed at the type before any other is given up, so a failure
    // between the two never leaves the type without an extension.
    EXPECT_EQ(store.log, (Log{"set HKCR\\.zq2\\@ = zq1zq2file", "set HKCR\\.zq3\\@ = ",
                              "set HKCR\\zq1zq2file\\DefaultIcon\\@ = C:\\icons.dll,3",
                              "set HKCR\\zq1zq2file\\@ = Made-up document", "set HKCR\\zq1zq2file\\quickview\\@ = *",
                              "set HKCR\\zq1zq2file\\AlwaysShowExt = *"}));

    // Only the description changed; both boxes cleared.
    store.log.clear();
    FileTypeValues edited = values;
    edited.extensions = "zq1 zq2";
    edited.description = "Renamed";
    edited.quickView = edited.alwaysShowExt = false;
    EXPECT_TRUE(SaveType(store, "zq1zq2file", edited, values));
    EXPECT_EQ(store.log, (Log{"set HKCR\\zq1zq2file\\@ = Renamed", "delete tree HKCR\\zq1zq2file\\quickview",
                              "delete HKCR\\zq1zq2file\\AlwaysShowExt"}));

    // Quick View not checked at open and still not: its key is left alone.
    store.log.clear();
    SeedText(store, "zq1zq2file\\quickview", "other");
    EXPECT_FALSE(SaveType(store, "zq1zq2file", edited, edited));
    EXPECT_EQ(store.log, Log{});
    EXPECT_TRUE(store.KeyExists(kCr, "zq1zq2file\\quickview"));

    EXPECT_FALSE(SaveType(store, "", values, none)) << "never under the class root";
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
        EXPECT_FALSE(SaveType(store, typeKey, values, FileTypeValues{})) << typeKey;
        EXPECT_FALSE(RemoveFileType(store, typeKey)) << typeKey;
        ActionValues action;
        action.displayName = "Open";
        action.program = "y.exe";
        SaveAction(store, typeKey, {"open", "open"}, ActionValues{}, action);
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
        EXPECT_TRUE(SaveType(store, "zq1file", after, before));
        EXPECT_EQ(store.log.front(), std::string("set HKCR\\zq1file\\DefaultIcon\\@ = ") + expected);
    }
}

TEST(FileTypeRemove, DeletesTheTypeAndEveryExtensionNamingIt)
{
    MemoryRegistryStore store;
    SeedText(store, ".zq1", "zq1file");
    SeedText(store, ".zq2", "zq1file");
    SeedText(store, ".zq3", "ZQ1FILE");  // the same key in other letters
    SeedText(store, ".zq4", "zq4file");
    SeedText(store, "zq1file\\Shell\\open\\command", "x.exe %1");
    EXPECT_TRUE(RemoveFileType(store, "zq1file"));
    EXPECT_EQ(store.log, (Log{"delete tree HKCR\\zq1file", "delete tree HKCR\\.zq1", "delete tree HKCR\\.zq2",
                              "delete tree HKCR\\.zq3"}));
    EXPECT_EQ(store.SubKeys(kCr, ""), (std::vector<std::string>{".zq4"}));
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
    EXPECT_FALSE(open.useDde);
    EXPECT_TRUE(ReadAction(store, "zq1file", "print").useDde);

    ActionValues read = open;
    open.program = "%WINDIR%\\y.exe";
    SaveAction(store, "zq1file", {"open", "open"}, read, open);
    EXPECT_EQ(store.log.back(), "set HKCR\\zq1file\\Shell\\open\\command\\@ = expand %WINDIR%\\y.exe %1");
}

TEST(FileTypeActions, NamesAreCheckedAgainstTheOtherActions)
{
    MemoryRegistryStore store;
    SeedText(store, "zq1file\\Shell\\open", "Open It");
    SeedText(store, "zq1file\\Shell\\view", "");
    SeedText(store, "zq1file\\Shell\\open2", "open it");
    struct Case {
        ActionName own;
        std::string name;
        ActionNameCheck check;
    } cases[] = {
        {{}, "   ", ActionNameCheck::empty},
        {{}, "a\\b", ActionNameCheck::badCharacter},
        {{}, " open it ", ActionNameCheck::duplicate},
        {{"Open It", "open"}, "OPEN IT ", ActionNameCheck::duplicate},
        {{"Open It", "open"}, " Open It", ActionNameCheck::ok},  // left as shown: not checked again
        {{}, "view", ActionNameCheck::ok},                         // a key without a display name never matches
        // Its key must leave room for a numeric suffix within the registry's 255 characters.
        {{}, std::string(kMaxActionName, 'a'), ActionNameCheck::ok},
        {{"Open It", "open"}, " " + std::string(kMaxActionName + 1, 'a') + " ", ActionNameCheck::tooLong},
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
    auto written = SaveAction(store, "zq1file", {}, {}, values);
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
    SaveAction(store, "zq1file", {}, {}, values);
    EXPECT_EQ(store.log, (Log{"set HKCR\\zq1file\\Shell\\Show\\@ = Show",
                              "set HKCR\\zq1file\\Shell\\Show\\command\\@ = \"C:\\v.exe\" /s %1",
                              "set HKCR\\zq1file\\Shell\\Show\\ddeexec\\@ = [open(\"%1\")]"}));
}

TEST(FileTypeActions, EditKeepsTheVerbKeyAndARefusedRenameChangesNothing)
{
    MemoryRegistryStore store;
    SeedText(store, "zq1file\\Shell", "open");
    SeedText(store, "zq1file\\Shell\\open", "&Open");
    SeedText(store, "zq1file\\Shell\\open\\command", "old.exe %1");
    SeedText(store, "zq1file\\Shell\\open\\ddeexec", "[x]");
    SeedText(store, "zq1file\\Shell\\open\\DropTarget", "{guid}", "Clsid");

    ActionValues read = ReadAction(store, "zq1file", "open");
    ActionValues values = read;
    values.program = "new.exe %1";
    values.useDde = false;
    ActionName same = SaveAction(store, "zq1file", {"&Open", "open"}, read, values).value();
    EXPECT_EQ(same.keyName, "open");
    EXPECT_EQ(store.log, (Log{"set HKCR\\zq1file\\Shell\\open\\command\\@ = new.exe %1",
                              "delete tree HKCR\\zq1file\\Shell\\open\\ddeexec"}));
    EXPECT_TRUE(store.KeyExists(kCr, "zq1file\\Shell\\open\\DropTarget"));

    // A rename the registry refuses leaves the action as it was, DDE values and default included.
    SeedText(store, "zq1file\\Shell\\open\\ddeexec\\topic", "System");
    read = ReadAction(store, "zq1file", "open");
    store.log.clear();
    ActionValues refused = read;
    refused.displayName = std::string(kMaxKeyName + 1, 'v');
    EXPECT_FALSE(SaveAction(store, "zq1file", same, read, refused));
    EXPECT_EQ(store.log, Log{});
    EXPECT_EQ(ReadActions(store, "zq1file").size(), 1u);
    EXPECT_EQ(ReadAction(store, "zq1file", "open").topic, "System");
    EXPECT_EQ(store.ReadString(kCr, "zq1file\\Shell", ""), "open");

    // Only the letter case of the key's own name: the key stays.
    values = read;
    values.displayName = "OPEN";
    EXPECT_EQ(SaveAction(store, "zq1file", same, read, values)->keyName, "open");
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


TEST(FileTypeSave, AnExtensionWhoseKeyCannotExistIsRefused)
{
    EXPECT_EQ(CleanExtensionsText("zqb " + std::string(254, 'Q')).check, ExtensionsCheck::ok);
    EXPECT_EQ(CleanExtensionsText("zqb " + std::string(255, 'Q')).check, ExtensionsCheck::tooLong);
}

TEST(FileTypeSave, ARefusedPointingWriteBlanksNothingAndIsNotASave)
{
    MemoryRegistryStore store;
    SeedText(store, ".zqb", "zqbfile");
    SeedText(store, "zqbfile", "Zq B");
    store.refuse = [](const std::string& change) { return change.rfind("set HKCR\\.zqc\\", 0) == 0; };
    FileTypeValues before{"Zq B", "ZQB", "", 0, false, false};
    FileTypeValues after = before;
    after.extensions = "ZQC";
    after.description = "Zq C";
    bool written = false;
    SaveType(store, "zqbfile", after, before, &written);
    EXPECT_FALSE(written);
    EXPECT_EQ(store.ReadString(kCr, ".zqb", ""), "zqbfile");
    EXPECT_EQ(store.ReadString(kCr, "zqbfile", ""), "Zq B");
    EXPECT_FALSE(store.KeyExists(kCr, ".zqc"));
}

TEST(FileTypeSave, TheCheckBoxesAreWrittenOnlyWhenChanged)
{
    MemoryRegistryStore store;
    SeedText(store, "zqafile", "", "AlwaysShowExt");  // only its presence counts
    SeedText(store, "zqafile\\quickview", "*");
    FileTypeValues read{"Zq A", "ZQA", "", 0, false, false};
    ReadFileTypeFlags(store, "zqafile", read);
    ASSERT_TRUE(read.alwaysShowExt && read.quickView);
    FileTypeValues left = read;
    left.description = "Zq A renamed";
    EXPECT_TRUE(SaveType(store, "zqafile", left, read));
    EXPECT_EQ(store.log, Log{"set HKCR\\zqafile\\@ = Zq A renamed"});
    EXPECT_EQ(store.Read(kCr, "zqafile", "AlwaysShowExt"), RegValue::String(""));
}

TEST(FileTypeActions, AnActionSavedWithoutChangeWritesNothing)
{
    // Verbs as programs register them: each opened in the editor and closed with OK untouched.
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, RegValue>> values;  // "sub key|value name" -> value
    } cases[] = {
        {"no display name", {{"command|", RegValue::String("zq.exe \"%1\"")}}},
        {"empty display name", {{"|", RegValue::String("")}, {"command|", RegValue::String("zq.exe %1")}}},
        {"command without %1", {{"command|", RegValue::String("zq.exe /n /dde")}}},
        {"URL verb", {{"|", RegValue::String("&Open")}, {"command|", RegValue::String("zq.exe OpenURL %l")}}},
        {"expandable command", {{"command|", RegValue::String("%SystemRoot%\\zq.exe", RegType::expandString)}}},
        {"DDE only",
         {{"ddeexec|", RegValue::String("[open(\"%1\")]")}, {"ddeexec\\topic|", RegValue::String("System")}}},
        {"unknown ddeexec value",
         {{"command|", RegValue::String("zq.exe /dde")},
          {"ddeexec|", RegValue::String("[open(\"%1\")]")},
          {"ddeexec|NoActivateHandler", RegValue{RegType(7), {'x', 0, 0}}},
          {"ddeexec\\application|", RegValue::String("ZQ")}}},
        {"display name with blanks", {{"|", RegValue::String(" Zq It ")}, {"command|", RegValue::String("zq.exe")}}},
    };
    for (const Case& c : cases) {
        MemoryRegistryStore store;
        SeedText(store, "zqafile\\Shell\\other", "zq.exe");  // another verb named like it
        for (const auto& [where, value] : c.values) {
            size_t bar = where.find('|');
            std::string sub = where.substr(0, bar);
            store.Seed(kCr, "zqafile\\Shell\\open" + (sub.empty() ? "" : "\\" + sub), where.substr(bar + 1), value);
        }
        const std::string shown = ReadActions(store, "zqafile").at(0).displayName;
        ActionValues read = ReadAction(store, "zqafile", "open");
        auto saved = SaveAction(store, "zqafile", {shown, "open"}, read, read);
        ASSERT_TRUE(saved) << c.what;
        EXPECT_EQ(store.log, Log{}) << c.what;
        EXPECT_EQ(saved->keyName, "open") << c.what;
        EXPECT_EQ(saved->displayName, shown) << c.what;
    }
}

TEST(FileTypeActions, AnEditOrRenameKeepsWhatTheEditorDoesNotShow)
{
    MemoryRegistryStore store;
    SeedText(store, "zqafile\\Shell", "open");
    SeedText(store, "zqafile\\Shell\\open", "&Open");
    SeedText(store, "zqafile\\Shell\\open\\command", "zq.exe /dde");
    SeedText(store, "zqafile\\Shell\\open\\ddeexec", "[open(\"%1\")]");
    store.Seed(kCr, "zqafile\\Shell\\open\\ddeexec", "NoActivateHandler", RegValue{RegType(7), {'x', 0, 0}});
    SeedText(store, "zqafile\\Shell\\open\\ddeexec\\topic", "System");
    SeedText(store, "zqafile\\Shell\\open\\DropTarget", "{zq}", "Clsid");
    MemoryRegistryStore before = store;
    ActionValues read = ReadAction(store, "zqafile", "open");

    // The name kept, the command changed: refused, nothing of the action is lost.
    ActionValues left = read;
    left.program = "zq2.exe /dde";
    store.refuse = [](const std::string& change) { return change.find("\\command\\") != std::string::npos; };
    EXPECT_FALSE(SaveAction(store, "zqafile", {"&Open", "open"}, read, left));
    EXPECT_EQ(ReadAction(store, "zqafile", "open").topic, "System");
    EXPECT_EQ(store.Read(kCr, "zqafile\\Shell\\open\\ddeexec", "NoActivateHandler"),
              before.Read(kCr, "zqafile\\Shell\\open\\ddeexec", "NoActivateHandler"));

    // Accepted: only the command is written, " %1" added to what the user typed.
    store.refuse = nullptr;
    store.log.clear();
    ASSERT_TRUE(SaveAction(store, "zqafile", {"&Open", "open"}, read, left));
    EXPECT_EQ(store.log, Log{"set HKCR\\zqafile\\Shell\\open\\command\\@ = zq2.exe /dde %1"});

    // A rename copies the whole verb, writes the new name, moves the default; the old key goes last.
    store.log.clear();
    read = ReadAction(store, "zqafile", "open");
    left = read;
    left.displayName = "Zq View";
    auto renamed = SaveAction(store, "zqafile", {"&Open", "open"}, read, left);
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->keyName, "Zq_View");
    EXPECT_EQ(store.ReadString(kCr, "zqafile\\Shell\\Zq_View", ""), "Zq View");
    EXPECT_EQ(store.ReadString(kCr, "zqafile\\Shell\\Zq_View\\command", ""), "zq2.exe /dde %1");
    EXPECT_EQ(store.ReadString(kCr, "zqafile\\Shell\\Zq_View\\DropTarget", "Clsid"), "{zq}");
    EXPECT_EQ(store.Read(kCr, "zqafile\\Shell\\Zq_View\\ddeexec", "NoActivateHandler"),
              before.Read(kCr, "zqafile\\Shell\\open\\ddeexec", "NoActivateHandler"));
    EXPECT_EQ(store.ReadString(kCr, "zqafile\\Shell", ""), "Zq_View");
    EXPECT_EQ(store.log.back(), "delete tree HKCR\\zqafile\\Shell\\open");
}
