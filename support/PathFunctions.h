// Splitting and rebuilding file paths held as byte strings, with "/" as the only separator and
// "." as the start of an extension. These work on the text alone and never touch the file
// system, so they serve paths of files that do not exist yet as well.
#ifndef PATH_FUNCTIONS_H
#define PATH_FUNCTIONS_H

#include <String.h>
#include <SupportDefs.h>

// The path unchanged when its last component has a "."; otherwise path + "." + extension.
BString add_ext(const BString& path, const BString& extension);
// The path with the text after the last "." of its last component replaced by extension;
// path + "." + extension when the last component has no ".".
BString reext(const BString& path, const BString& extension);
// The text after the last "." anywhere in the path, folders included (so "d.x/file" gives
// "x/file"); empty without a ".". Use reext or extract_file_body for the file's own extension.
BString extract_file_ext(const BString& path);
// The first p + extra bytes, where p is the offset of the last "/": extra 1 keeps the final
// "/" of the folder, extra 0 drops it. Empty when the path has no "/". The result never runs
// past the path or starts before it, whatever extra is.
BString extract_file_folder_path_kernel(const BString& path, int32 extra);
// The last component: the text after the last "/", the whole path when it has none.
BString extract_file_name(const BString& path);
// The last component up to its last "."; the whole component when it has no ".".
BString extract_file_body(const BString& path);
// The text without leading and trailing spaces and tabs; other white space, such as a
// carriage return, is kept.
BString trim(const BString& text);
// The target expressed relative to the folder of base, where base is a folder path ending in
// "/" or the path of a file in that folder: ("/a/b/", "/a/c/d") gives "../c/d".
BString relative_path(const BString& base, const BString& target);

#endif
