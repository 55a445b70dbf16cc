#include "core/registry.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

class Shape : public Object {
public:
    Shape() : Object(Kind::Path) { }
};

class Circle : public Shape { };

class Pencil : public Object {
public:
    explicit Pencil(bool* destroyed) : Object(Kind::Pen), destroyed_(destroyed) { }
    ~Pencil() override { *destroyed_ = true; }

private:
    bool* destroyed_;
};

TEST(Registry, FindsLiveObjectsOnlyByTheirKind)
{
    Registry registry;
    Object* circle = registry.adopt(std::make_unique<Circle>());
    EXPECT_EQ(registry.find<Shape>(circle), circle) << "a derived object is found as its base";
    EXPECT_EQ(registry.find<Circle>(circle), circle);
    EXPECT_EQ(registry.find<Pencil>(circle), nullptr) << "wrong kind";

    int foreign = 0;
    EXPECT_EQ(registry.find<Shape>(&foreign), nullptr) << "never handed out";
    EXPECT_EQ(registry.find<Shape>(nullptr), nullptr);
}

TEST(Registry, ReleaseDestroysAndLeavesTheHandleStale)
{
    Registry registry;
    bool destroyed = false;
    Object* pencil = registry.adopt(std::make_unique<Pencil>(&destroyed));
    EXPECT_TRUE(registry.release(pencil));
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(registry.find<Pencil>(pencil), nullptr);
    EXPECT_FALSE(registry.release(pencil)) << "a second release finds nothing";
}

TEST(Registry, ClearDestroysEverything)
{
    Registry registry;
    bool destroyed = false;
    registry.adopt(std::make_unique<Pencil>(&destroyed));
    registry.adopt(std::make_unique<Circle>());
    registry.clear();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(registry.size(), 0u);
}

} // namespace
} // namespace engine
