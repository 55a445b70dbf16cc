#include "engine_state.h"

namespace engine {

EngineState& EngineState::instance()
{
    static EngineState state;
    return state;
}

ULONG_PTR EngineState::start()
{
    ULONG_PTR token = nextToken_++;
    tokens_.insert(token);
    return token;
}

void EngineState::stop(ULONG_PTR token)
{
    if (tokens_.erase(token) != 0 && tokens_.empty())
        registry_.clear();
}

} // namespace engine
