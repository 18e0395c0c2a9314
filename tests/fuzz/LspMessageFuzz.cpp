// The language server's reader and dispatch on any input: every message read
// comes back the same through the writer's framing, and the server answers
// whatever the bodies hold without crashing or hanging.
#include "FuzzSupport.h"
#include "lsp/MessageReader.h"
#include "lsp/MessageWriter.h"
#include "lsp/Server.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quill::lsp;
    MessageReader reader = MessageReader::FromBytes(Bytes(data, size));
    std::string output;
    MessageWriter writer([&](const std::string& bytes) {
        output += bytes;
        return true;
    });
    Server server(writer, {});
    std::string body;
    for (std::size_t reads = 0;; ++reads) {
        Check(reads <= size + 1);  // every read takes at least one byte
        const ReadResult result = reader.Next(body);
        if (result == ReadResult::End) {
            break;
        }
        if (result == ReadResult::BadHeader) {
            server.HandleUnreadable();
            continue;
        }
        std::string again;
        MessageReader framed = MessageReader::FromBytes(FramedMessage(body));
        Check(framed.Next(again) == ReadResult::Message && again == body);
        server.Handle(body);
    }
    // Every answer the server wrote is framed JSON.
    MessageReader answers = MessageReader::FromBytes(output);
    while (answers.Next(body) == ReadResult::Message) {
        Check(!nlohmann::json::parse(body, nullptr, false).is_discarded());
    }
    return 0;
}
