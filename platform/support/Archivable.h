// An object that can write itself into a message (Archive) and be rebuilt from one
// (instantiate_object). Archives name their class in the string field "class": the most
// derived class first (BArchivable::Archive adds it), then whatever names the classes on the
// way down add after it.
//
// Rebuilding needs a registry from class names to instantiation functions, since this platform
// does not look functions up in the executable's symbol table. A class that can be rebuilt
// registers itself once, usually with B_REGISTER_ARCHIVABLE in its source file:
//
//     B_REGISTER_ARCHIVABLE(TProperty)   // registers "TProperty" -> TProperty::Instantiate
//
// Registration happens during static initialisation. A source file in a static library is
// only linked when something else in it is used, so the macro belongs in the file that defines
// the class's other members.
#ifndef _ARCHIVABLE_H
#define _ARCHIVABLE_H

#include <OS.h>
#include <SupportDefs.h>

class BMessage;

#define B_CLASS_FIELD "class"
#define B_ADD_ON_FIELD "add_on"

class BArchivable {
public:
	BArchivable();
	explicit BArchivable(BMessage* from);
	virtual ~BArchivable();

	// Adds the name of the object's dynamic class under "class"; subclasses call it first and
	// then add their own fields.
	virtual status_t Archive(BMessage* into, bool deep = true) const;
	// BArchivable itself cannot be instantiated.
	static BArchivable* Instantiate(BMessage* from);

	virtual status_t Perform(perform_code d, void* arg);
};

typedef BArchivable* (*instantiation_func)(BMessage*);

// Registers (or replaces) the function that rebuilds className. B_BAD_VALUE for a null or
// empty name or a null function.
status_t register_instantiation_func(const char* className, instantiation_func function);
// The function registered for className, or null. The signature (of an add-on) is ignored:
// every class lives in the executable.
instantiation_func find_instantiation_func(const char* className, const char* signature,
                                           image_id* id = nullptr);
instantiation_func find_instantiation_func(const char* className, image_id* id = nullptr);
// The function for the first class named in the archive's "class" field that is registered.
instantiation_func find_instantiation_func(BMessage* archive, image_id* id = nullptr);

// True when className is one of the names in the archive's "class" field, so that a class's
// Instantiate can check that the archive is really one of its own (or a subclass's).
bool validate_instantiation(BMessage* from, const char* className);

// Rebuilds the object an archive describes: the first class named in "class" that is
// registered (the most derived one the program knows) is instantiated. Null when none is, or
// when its Instantiate refuses the archive. id, if given, is set to B_ERROR: there are no
// add-on images.
BArchivable* instantiate_object(BMessage* from, image_id* id);
BArchivable* instantiate_object(BMessage* from);

namespace BPrivate {
struct ArchivableRegistrar {
	ArchivableRegistrar(const char* className, instantiation_func function)
	{
		register_instantiation_func(className, function);
	}
};
} // namespace BPrivate

#define B_REGISTER_ARCHIVABLE(ClassName)                                                           \
	static ::BPrivate::ArchivableRegistrar sArchivableRegistrar_##ClassName(                       \
	    #ClassName, [](BMessage* from) -> BArchivable* { return ClassName::Instantiate(from); })

#endif
