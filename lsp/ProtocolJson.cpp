#include "lsp/ProtocolJson.h"

namespace quill::lsp {

Position PositionFromJson(const Json& json) {
    return {json.at("line").get<int>(), json.at("character").get<int>()};
}

Json PositionJson(Position position) {
    return {{"line", position.line}, {"character", position.character}};
}

Json RangeJson(std::string_view text, Span span) {
    return {{"start", PositionJson(PositionOf(text, span.begin))},
            {"end", PositionJson(PositionOf(text, span.end))}};
}

Json Markdown(std::string text) {
    return {{"kind", "markdown"}, {"value", std::move(text)}};
}

std::string Serialise(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace quill::lsp
