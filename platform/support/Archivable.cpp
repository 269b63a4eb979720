#include <Archivable.h>

#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <map>
#include <mutex>
#include <string>
#include <typeinfo>

#include <Message.h>

namespace {

struct Registry {
	std::mutex lock;
	std::map<std::string, instantiation_func> functions;
};

// Built on first use, so that registrations from static initialisers in any order find it.
Registry& registry()
{
	static Registry* sRegistry = new Registry;
	return *sRegistry;
}

// The readable name of a dynamic type ("TProperty", "BPrivate::Foo").
std::string class_name_of(const std::type_info& type)
{
	int status = 0;
	char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
	if (status != 0 || demangled == nullptr)
		return type.name();
	std::string name(demangled);
	free(demangled);
	return name;
}

} // namespace

BArchivable::BArchivable() = default;

BArchivable::BArchivable(BMessage*) {}

BArchivable::~BArchivable() = default;

status_t BArchivable::Archive(BMessage* into, bool) const
{
	if (into == nullptr)
		return B_BAD_VALUE;
	return into->AddString(B_CLASS_FIELD, class_name_of(typeid(*this)).c_str());
}

BArchivable* BArchivable::Instantiate(BMessage*)
{
	return nullptr;
}

status_t BArchivable::Perform(perform_code, void*)
{
	return B_ERROR;
}

status_t register_instantiation_func(const char* className, instantiation_func function)
{
	if (className == nullptr || className[0] == '\0' || function == nullptr)
		return B_BAD_VALUE;
	Registry& reg = registry();
	std::lock_guard<std::mutex> guard(reg.lock);
	reg.functions[className] = function;
	return B_OK;
}

instantiation_func find_instantiation_func(const char* className, const char*, image_id* id)
{
	if (id != nullptr)
		*id = B_ERROR;
	if (className == nullptr)
		return nullptr;
	Registry& reg = registry();
	std::lock_guard<std::mutex> guard(reg.lock);
	auto found = reg.functions.find(className);
	return found != reg.functions.end() ? found->second : nullptr;
}

instantiation_func find_instantiation_func(const char* className, image_id* id)
{
	return find_instantiation_func(className, nullptr, id);
}

instantiation_func find_instantiation_func(BMessage* archive, image_id* id)
{
	if (id != nullptr)
		*id = B_ERROR;
	if (archive == nullptr)
		return nullptr;
	const char* name;
	for (int32 index = 0; archive->FindString(B_CLASS_FIELD, index, &name) == B_OK; index++) {
		if (instantiation_func function = find_instantiation_func(name, id))
			return function;
	}
	return nullptr;
}

bool validate_instantiation(BMessage* from, const char* className)
{
	if (from == nullptr || className == nullptr)
		return false;
	const char* name;
	for (int32 index = 0; from->FindString(B_CLASS_FIELD, index, &name) == B_OK; index++) {
		if (strcmp(name, className) == 0)
			return true;
	}
	return false;
}

BArchivable* instantiate_object(BMessage* from, image_id* id)
{
	instantiation_func function = find_instantiation_func(from, id);
	return function != nullptr ? function(from) : nullptr;
}

BArchivable* instantiate_object(BMessage* from)
{
	return instantiate_object(from, nullptr);
}
