#include <gtest/gtest.h>

#include <PathFunctions.h>

#include "BStringPrinter.h"

namespace {

TEST(PathFunctionsTest, AddsAndReplacesExtensions)
{
	EXPECT_EQ(add_ext("d.x/file", "png"), "d.x/file.png");
	EXPECT_EQ(add_ext("file.txt", "png"), "file.txt");
	EXPECT_EQ(add_ext("", "png"), ".png");

	EXPECT_EQ(reext("file.txt", "png"), "file.png");
	EXPECT_EQ(reext("file", "png"), "file.png");
	EXPECT_EQ(reext("file.", "png"), "file.png");
	EXPECT_EQ(reext("d.x/file", "enUS"), "d.x/file.enUS");
	EXPECT_EQ(reext("/p/a.b.jaJP", "enUS"), "/p/a.b.enUS");
}

TEST(PathFunctionsTest, ExtensionLooksAcrossFolders)
{
	EXPECT_EQ(extract_file_ext("d.x/file"), "x/file");
	EXPECT_EQ(extract_file_ext("/p/file.tar.gz"), "gz");
	EXPECT_EQ(extract_file_ext("/p/file"), "");
	EXPECT_EQ(extract_file_ext("file."), "");
}

TEST(PathFunctionsTest, SplitsFolderAndName)
{
	EXPECT_EQ(extract_file_folder_path_kernel("/boot/home/app", 1), "/boot/home/");
	EXPECT_EQ(extract_file_folder_path_kernel("/boot/home/app", 0), "/boot/home");
	EXPECT_EQ(extract_file_folder_path_kernel("app", 1), "");
	EXPECT_EQ(extract_file_folder_path_kernel("/app", 0), "");
	EXPECT_EQ(extract_file_folder_path_kernel("/a/b", 100), "/a/b");
	EXPECT_EQ(extract_file_folder_path_kernel("/a/b", -100), "");
	EXPECT_EQ(extract_file_folder_path_kernel("/a/b", INT32_MAX), "/a/b");

	EXPECT_EQ(extract_file_name("/boot/home/app"), "app");
	EXPECT_EQ(extract_file_name("app"), "app");
	EXPECT_EQ(extract_file_name("/boot/home/"), "");

	EXPECT_EQ(extract_file_body("/p/file.tar.gz"), "file.tar");
	EXPECT_EQ(extract_file_body("/p/.profile"), "");
	EXPECT_EQ(extract_file_body("/p/readme"), "readme");
	EXPECT_EQ(extract_file_body("d.x/readme"), "readme");
	EXPECT_EQ(extract_file_body(""), "");
}

TEST(PathFunctionsTest, TrimsOnlySpacesAndTabs)
{
	EXPECT_EQ(trim("  word\t"), "word");
	EXPECT_EQ(trim("\t a b \t"), "a b");
	EXPECT_EQ(trim(""), "");
	EXPECT_EQ(trim(" \t \t"), "");
	EXPECT_EQ(trim("\r"), "\r");
	EXPECT_EQ(trim("\nx\n"), "\nx\n");
}

TEST(PathFunctionsTest, RelativePaths)
{
	EXPECT_EQ(relative_path("/a/b/", "/a/c/d"), "../c/d");
	EXPECT_EQ(relative_path("/a/b/", "/a/b/e"), "./e");
	EXPECT_EQ(relative_path("/a/b/file", "/a/b/other"), "./other");
	EXPECT_EQ(relative_path("/a/b/c/file", "/a/x"), "../../x");
	// A shared prefix that ends inside a name does not split the name.
	EXPECT_EQ(relative_path("/a/bc/", "/a/bd/x"), "../bd/x");
	// Targets no longer than the shared part: the result still names the target.
	EXPECT_EQ(relative_path("/a/b/c", "/a/b"), "../b");
	EXPECT_EQ(relative_path("/a/b", "/a/b"), "./b");
}

} // namespace
