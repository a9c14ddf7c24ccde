#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/catalogue/component_table.h"

namespace {

std::vector<std::string> FilesOf(const Component& component)
{
    std::vector<std::string> names;
    FixedString<99> name;
    const char* cursor = component.files.c_str();
    while (NextFileName(cursor, name))
        names.push_back(name.c_str());
    return names;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

TEST(ComponentTable, TwentyToolsInDialogOrderAllSelected)
{
    FillComponentTable();
    const char* names[ComponentCount] = {"Norrik", "Ovalle", "Yessa",  "Scrivo", "Halder", "Fennet", "Tovin",
                                         "Pondry", "Lumio",  "Kimber", "Dewlit", "Ambro",  "Glimmet", "Grask",
                                         "Caddel", "Pellor", "Orvex",  "Quesh",  "Stoval", "Brolla"};
    for (int i = 0; i < ComponentCount; ++i) {
        EXPECT_STREQ(ComponentTable[i].name.c_str(), names[i]) << "row " << i;
        EXPECT_EQ(ComponentTable[i].selected, 1) << "row " << i;
    }
}

TEST(ComponentTable, FileListsArePrograms_ThenHelp_ThenLanguage)
{
    FillComponentTable();
    for (const Component& component : ComponentTable) {
        std::string files = component.files.c_str();
        EXPECT_EQ(files.find("  "), std::string::npos) << files;
        EXPECT_NE(files.front(), ' ');
        EXPECT_NE(files.back(), ' ');

        std::vector<std::string> names = FilesOf(component);
        ASSERT_GE(names.size(), 3u) << files;
        EXPECT_LE(names.size(), 6u) << files;
        EXPECT_TRUE(EndsWith(names[names.size() - 1], "_Lang.txt")) << files;
        EXPECT_TRUE(EndsWith(names[names.size() - 2], ".hlp")) << files;
        for (size_t i = 0; i + 2 < names.size(); ++i)
            EXPECT_TRUE(EndsWith(names[i], ".exe") || EndsWith(names[i], ".dll")) << files;
    }
    EXPECT_EQ(FilesOf(ComponentTable[0]),
              (std::vector<std::string>{"vxnorrik.exe", "Wendra.exe", "vxnknotify.exe", "vxnkmenu.dll", "Norrik.hlp",
                                        "Norrik_Lang.txt"}));
    EXPECT_STREQ(ComponentTable[2].files.c_str(), "vxyessa.exe Yessa.hlp Yessamark_Lang.txt");
}
