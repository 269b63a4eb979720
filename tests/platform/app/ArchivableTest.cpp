// Archiving: the class name an archive carries and rebuilding objects through the registry,
// falling back to the most derived class the program knows.
#include <gtest/gtest.h>

#include <Archivable.h>
#include <Handler.h>
#include <Message.h>

namespace {

class TShape : public BArchivable {
public:
	TShape() = default;
	explicit TShape(BMessage* from) : BArchivable(from) { from->FindInt32("sides", &sides); }
	status_t Archive(BMessage* into, bool deep = true) const override
	{
		status_t status = BArchivable::Archive(into, deep);
		status |= into->AddString(B_CLASS_FIELD, "TShape");
		status |= into->AddInt32("sides", sides);
		return status;
	}
	static BArchivable* Instantiate(BMessage* from)
	{
		return validate_instantiation(from, "TShape") ? new TShape(from) : nullptr;
	}
	int32 sides = 0;
};

// Deliberately not registered: archives of it rebuild as a TShape.
class TTriangle : public TShape {
public:
	TTriangle() { sides = 3; }
};

} // namespace

B_REGISTER_ARCHIVABLE(TShape);

TEST(Archivable, ArchivesNameTheDynamicClassFirst)
{
	TTriangle triangle;
	BMessage archive;
	ASSERT_EQ(triangle.Archive(&archive), B_OK);
	const char* name;
	ASSERT_EQ(archive.FindString(B_CLASS_FIELD, 0, &name), B_OK);
	EXPECT_STREQ(name, "(anonymous namespace)::TTriangle");
	ASSERT_EQ(archive.FindString(B_CLASS_FIELD, 1, &name), B_OK);
	EXPECT_STREQ(name, "TShape");
	EXPECT_TRUE(validate_instantiation(&archive, "TShape"));
	EXPECT_FALSE(validate_instantiation(&archive, "TCircle"));
	EXPECT_FALSE(validate_instantiation(nullptr, "TShape"));
}

TEST(Archivable, InstantiationUsesTheFirstRegisteredClass)
{
	TTriangle triangle;
	BMessage archive;
	ASSERT_EQ(triangle.Archive(&archive), B_OK);
	BArchivable* object = instantiate_object(&archive);
	TShape* shape = dynamic_cast<TShape*>(object);
	ASSERT_NE(shape, nullptr);
	EXPECT_EQ(shape->sides, 3);
	delete object;

	BMessage unknown;
	unknown.AddString(B_CLASS_FIELD, "TNothingKnown");
	EXPECT_EQ(instantiate_object(&unknown), nullptr);
	BMessage empty;
	EXPECT_EQ(instantiate_object(&empty), nullptr);
	EXPECT_EQ(instantiate_object(nullptr), nullptr);
	EXPECT_EQ(register_instantiation_func(nullptr, TShape::Instantiate), B_BAD_VALUE);
	EXPECT_EQ(register_instantiation_func("TShape", nullptr), B_BAD_VALUE);
}

TEST(Archivable, HandlersArchiveTheirNameAndComeBack)
{
	BHandler handler("named");
	BMessage archive;
	ASSERT_EQ(handler.Archive(&archive), B_OK);
	BArchivable* object = instantiate_object(&archive);
	BHandler* copy = dynamic_cast<BHandler*>(object);
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Name(), "named");
	EXPECT_NE(copy->Token(), handler.Token());
	delete object;
}
