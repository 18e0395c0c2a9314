#pragma once
// The language server: the protocol's life cycle (initialize, shutdown,
// exit), the documents the client has open, and the dispatch of each
// request to its feature. Messages are handled one at a time in the order
// they came; the features live in files of their own.

#include <chrono>
#include <deque>
#include <memory>
#include <string>

#include "lsp/CatalogueIndex.h"
#include "lsp/DocumentStore.h"
#include "lsp/MessageReader.h"
#include "lsp/MessageWriter.h"
#include "lsp/ProtocolJson.h"

namespace quill::lsp {

struct ServerOptions {
    // The settings file the catalogue comes from when the client names none.
    std::string settingsFile;
};

class Server {
public:
    Server(MessageWriter& writer, ServerOptions options);

    // Handles one message body. `later` holds the bodies read after it and
    // not handled yet: a request they cancel is answered as cancelled.
    void Handle(const std::string& body, const std::deque<std::string>& later = {});
    // Answers an input whose header could not be read.
    void HandleUnreadable();

    // True once "exit" came.
    bool Exited() const { return exited_; }
    // 0 when "shutdown" came before "exit", else 1.
    int ExitStatus() const { return shutDown_ ? 0 : 1; }

    CatalogueIndex* Catalogue() { return catalogue_.get(); }

private:
    void HandleRequest(const Json& id, const std::string& method, const Json& params);
    void HandleNotification(const std::string& method, const Json& params);
    Json Initialize(const Json& params);
    Json Complete(const Json& params);
    void Publish(const std::string& uri);
    // Looks for changed library files, at most once a second: in a large
    // tree that costs more than a completion.
    void RefreshCatalogue();
    // The text of the document the params name and the byte offset of their
    // position; throws for a document that is not open.
    std::pair<const std::string*, std::size_t> Place(const Json& params);

    void Respond(const Json& id, Json result);
    void Fail(const Json& id, int code, const std::string& message);
    void Notify(const std::string& method, Json params);

    MessageWriter& writer_;
    ServerOptions options_;
    DocumentStore documents_;
    std::unique_ptr<CatalogueIndex> catalogue_;
    std::chrono::steady_clock::time_point lastRefresh_{};
    bool initialized_ = false;
    bool shutDown_ = false;
    bool exited_ = false;
};

// Reads messages until "exit" or the input's end and hands each to the
// server; returns the exit status. Messages ready to be read are read
// before the one in hand is handled, so that a cancellation can overtake
// the request it cancels.
int RunServer(MessageReader& reader, MessageWriter& writer, ServerOptions options);

}  // namespace quill::lsp
