#pragma once

#include <string>

namespace engine::text {

// One installed face as fontconfig lists it: where it lives and what it looks
// like. Weight, slant and width are fontconfig's scales (weight 80 regular,
// 200 bold; slant 0 roman, 100 italic, 110 oblique; width 100 normal).
struct FaceDescriptor {
    std::string file;
    int index = 0; // face in a collection; a named instance in the high 16 bits
    int weight = 80;
    int slant = 0;
    int width = 100;
    std::string family; // the family this face was listed under, UTF-8

    bool bold() const { return weight >= 180; }
    bool italic() const { return slant > 0; }
};

} // namespace engine::text
