#pragma once

namespace engine {

// The kinds of object the engine hands out. A handle is checked against the
// kind a routine expects before anything touches it.
enum class Kind {
    Image,
    Graphics,
    Brush,
    Pen,
    Font,
    FontFamily,
    FontCollection,
    StringFormat,
    Region,
    Matrix,
    Path,
    CachedBitmap,
    Effect,
    ImageAttributes,
};

// Base of every object behind a handle. Objects are owned by the registry
// from the moment they are handed out until their delete routine runs.
class Object {
public:
    explicit Object(Kind kind) : kind_(kind) { }
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace engine
