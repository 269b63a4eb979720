#include "PathFunctions.h"

#include <string_view>

namespace {

// The offset at which the last component begins.
int32 last_component_start(const BString& path)
{
	return path.FindLast('/') + 1;
}

// The offset of the "." that starts the extension of the last component, or B_ERROR.
int32 extension_dot(const BString& path)
{
	const int32 dot = path.FindLast('.');
	return dot >= last_component_start(path) ? dot : B_ERROR;
}

BString bytes(const BString& text, int32 from, int32 length)
{
	return BString(text.View().substr((size_t)from, (size_t)length));
}

bool is_blank(char byte)
{
	return byte == ' ' || byte == '\t';
}

} // namespace

BString add_ext(const BString& path, const BString& extension)
{
	if (extension_dot(path) != B_ERROR)
		return path;
	return path + "." + extension;
}

BString reext(const BString& path, const BString& extension)
{
	const int32 dot = extension_dot(path);
	if (dot == B_ERROR)
		return path + "." + extension;
	return bytes(path, 0, dot + 1) + extension;
}

BString extract_file_ext(const BString& path)
{
	const int32 dot = path.FindLast('.');
	if (dot == B_ERROR)
		return BString();
	return bytes(path, dot + 1, path.Length());
}

BString extract_file_folder_path_kernel(const BString& path, int32 extra)
{
	const int32 slash = path.FindLast('/');
	if (slash == B_ERROR)
		return BString();
	// Computed in 64 bits so that an extreme extra cannot overflow before the clamp.
	int64 end = (int64)slash + extra;
	if (end < 0)
		end = 0;
	if (end > path.Length())
		end = path.Length();
	return bytes(path, 0, (int32)end);
}

BString extract_file_name(const BString& path)
{
	return bytes(path, last_component_start(path), path.Length());
}

BString extract_file_body(const BString& path)
{
	const int32 start = last_component_start(path);
	const int32 dot = extension_dot(path);
	const int32 end = dot == B_ERROR ? path.Length() : dot;
	return bytes(path, start, end - start);
}

BString trim(const BString& text)
{
	int32 begin = 0;
	int32 end = text.Length();
	while (begin < end && is_blank(text[begin]))
		begin++;
	while (end > begin && is_blank(text[end - 1]))
		end--;
	return bytes(text, begin, end - begin);
}

BString relative_path(const BString& base, const BString& target)
{
	// The comparison stops at the end of the shorter path, so a target that is a prefix of
	// the base (its own folder, say) still gets a well-formed result.
	const std::string_view b = base.View();
	const std::string_view t = target.View();
	size_t common = 0;
	while (common < b.size() && common < t.size() && b[common] == t[common])
		common++;

	size_t ups = 0;
	for (size_t i = common; i < b.size(); i++) {
		if (b[i] == '/')
			ups++;
	}

	BString result;
	if (ups == 0)
		result = "./";
	for (size_t i = 0; i < ups; i++)
		result << "../";

	size_t from = common;
	while (from > 0 && t[from - 1] != '/')
		from--;
	result << BString(t.substr(from));
	return result;
}
