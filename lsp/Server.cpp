#include "lsp/Server.h"

#include <exception>

#include "lsp/ArgumentCompletion.h"
#include "lsp/CatalogueLibraries.h"
#include "lsp/Diagnostics.h"
#include "lsp/FunctionCompletion.h"
#include "lsp/Hover.h"
#include "lsp/SignatureHelp.h"

namespace quill::lsp {

namespace {

// The id of a later "$/cancelRequest" equal to `id`.
bool CancelledLater(const Json& id, const std::deque<std::string>& later) {
    for (const std::string& body : later) {
        if (body.find("$/cancelRequest") == std::string::npos) {
            continue;
        }
        const Json message = Json::parse(body, nullptr, false);
        if (message.is_object() && message.value("method", "") == "$/cancelRequest" &&
            message.contains("params") && message["params"].is_object() &&
            message["params"].value("id", Json()) == id) {
            return true;
        }
    }
    return false;
}

TextChange ChangeFromJson(const Json& json) {
    TextChange change;
    change.text = json.at("text").get<std::string>();
    if (json.contains("range")) {
        change.ranged = true;
        change.start = PositionFromJson(json.at("range").at("start"));
        change.end = PositionFromJson(json.at("range").at("end"));
    }
    return change;
}

struct InvalidParams : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace

Server::Server(MessageWriter& writer, ServerOptions options)
    : writer_(writer), options_(std::move(options)) {}

void Server::Respond(const Json& id, Json result) {
    writer_.Write(Serialise({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}));
}

void Server::Fail(const Json& id, int code, const std::string& message) {
    writer_.Write(Serialise(
        {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}));
}

void Server::Notify(const std::string& method, Json params) {
    writer_.Write(
        Serialise({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}));
}

void Server::HandleUnreadable() {
    Fail(nullptr, ErrorCode::kParseError, "The message header names no usable Content-Length.");
}

void Server::Handle(const std::string& body, const std::deque<std::string>& later) {
    const Json message = Json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        Fail(nullptr, ErrorCode::kParseError, "The message is no JSON.");
        return;
    }
    const bool hasId = message.is_object() && message.contains("id") &&
                       (message["id"].is_number_integer() || message["id"].is_string());
    const Json id = hasId ? message["id"] : Json();
    if (!message.is_object() || !message.contains("method") || !message["method"].is_string() ||
        (message.contains("id") && !hasId)) {
        // Answers from the client to requests this server never makes end here too.
        const bool isResponse = message.is_object() && !message.contains("method") &&
                                (message.contains("result") || message.contains("error"));
        if (!isResponse) {
            Fail(id, ErrorCode::kInvalidRequest, "The message is no request or notification.");
        }
        return;
    }
    const std::string& method = message["method"].get_ref<const std::string&>();
    const Json params = message.value("params", Json::object());
    if (!hasId) {
        try {
            HandleNotification(method, params);
        } catch (const std::exception&) {
            // A notification has no answer: a malformed one is passed over.
        }
        return;
    }
    if (CancelledLater(id, later)) {
        Fail(id, ErrorCode::kRequestCancelled, "The request was cancelled.");
        return;
    }
    try {
        HandleRequest(id, method, params);
    } catch (const InvalidParams& e) {
        Fail(id, ErrorCode::kInvalidParams, e.what());
    } catch (const nlohmann::json::exception& e) {
        Fail(id, ErrorCode::kInvalidParams, std::string("The parameters do not fit: ") + e.what());
    } catch (const std::exception& e) {
        Fail(id, ErrorCode::kInternalError, e.what());
    }
}

void Server::HandleRequest(const Json& id, const std::string& method, const Json& params) {
    if (method == "initialize") {
        if (initialized_) {
            Fail(id, ErrorCode::kInvalidRequest, "The server is initialized already.");
            return;
        }
        Respond(id, Initialize(params));
        return;
    }
    if (!initialized_) {
        Fail(id, ErrorCode::kServerNotInitialized, "The server is not initialized yet.");
        return;
    }
    if (shutDown_) {
        Fail(id, ErrorCode::kInvalidRequest, "The server is shut down.");
        return;
    }
    if (method == "shutdown") {
        shutDown_ = true;
        Respond(id, nullptr);
        return;
    }
    if (method == "textDocument/completion") {
        Respond(id, Complete(params));
        return;
    }
    if (method == "textDocument/signatureHelp") {
        RefreshCatalogue();
        const auto [text, offset] = Place(params);
        const std::optional<Json> help = HelpWithSignature(*catalogue_, *text, offset);
        Respond(id, help ? *help : Json());
        return;
    }
    if (method == "textDocument/hover") {
        RefreshCatalogue();
        const auto [text, offset] = Place(params);
        const std::optional<Json> hover = HoverAt(*catalogue_, *text, offset);
        Respond(id, hover ? *hover : Json());
        return;
    }
    Fail(id, ErrorCode::kMethodNotFound, "Unknown method: " + method);
}

void Server::HandleNotification(const std::string& method, const Json& params) {
    if (method == "exit") {
        exited_ = true;
        return;
    }
    if (!initialized_ || shutDown_) {
        return;
    }
    if (method == "textDocument/didOpen") {
        const Json& document = params.at("textDocument");
        const std::string uri = document.at("uri").get<std::string>();
        documents_.Open(uri, document.at("text").get<std::string>());
        Publish(uri);
    } else if (method == "textDocument/didChange") {
        const std::string uri = params.at("textDocument").at("uri").get<std::string>();
        for (const Json& change : params.at("contentChanges")) {
            documents_.Change(uri, ChangeFromJson(change));
        }
        Publish(uri);
    } else if (method == "textDocument/didSave") {
        // The file saved may be a library itself.
        catalogue_->Refresh();
        lastRefresh_ = std::chrono::steady_clock::now();
        Publish(params.at("textDocument").at("uri").get<std::string>());
    } else if (method == "textDocument/didClose") {
        const std::string uri = params.at("textDocument").at("uri").get<std::string>();
        documents_.Close(uri);
        Notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", Json::array()}});
    }
    // Every other notification ("initialized", "$/cancelRequest" for a
    // request answered already, "$/setTrace", ...) needs nothing.
}

Json Server::Initialize(const Json& params) {
    const Json options =
        params.is_object() ? params.value("initializationOptions", Json()) : Json();
    CatalogueSource source = CatalogueLibraries(options, options_.settingsFile);
    catalogue_ = std::make_unique<CatalogueIndex>(std::move(source.libraries),
                                                  std::move(source.settingsFile));
    catalogue_->Refresh();
    lastRefresh_ = std::chrono::steady_clock::now();
    initialized_ = true;
    return {
        {"capabilities",
         {
             {"positionEncoding", "utf-16"},
             {"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", true}}},
             {"completionProvider",
              {{"triggerCharacters", {"(", ",", "|", " "}}, {"resolveProvider", false}}},
             {"signatureHelpProvider", {{"triggerCharacters", {"(", ","}}}},
             {"hoverProvider", true},
         }},
        {"serverInfo", {{"name", "quill-cli serve"}, {"version", "1.0"}}},
    };
}

std::pair<const std::string*, std::size_t> Server::Place(const Json& params) {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    const std::string* text = documents_.Text(uri);
    if (!text) {
        throw InvalidParams("The document is not open: " + uri);
    }
    return {text, OffsetOf(*text, PositionFromJson(params.at("position")))};
}

Json Server::Complete(const Json& params) {
    RefreshCatalogue();
    const auto [text, offset] = Place(params);
    Json names = CompleteFunctionName(*catalogue_, *text, offset);
    if (std::optional<Json> values = CompleteArgument(*catalogue_, *text, offset)) {
        // The values first; a function name typed there still completes.
        for (Json& item : names["items"]) {
            values->push_back(std::move(item));
        }
        names["items"] = std::move(*values);
    }
    return names;
}

void Server::Publish(const std::string& uri) {
    const std::string* text = documents_.Text(uri);
    if (!text) {
        return;
    }
    RefreshCatalogue();
    Notify("textDocument/publishDiagnostics",
           {{"uri", uri}, {"diagnostics", DiagnoseText(*catalogue_, *text)}});
}

void Server::RefreshCatalogue() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastRefresh_ >= std::chrono::seconds(1)) {
        catalogue_->Refresh();
        lastRefresh_ = now;
    }
}

int RunServer(MessageReader& reader, MessageWriter& writer, ServerOptions options) {
    Server server(writer, std::move(options));
    std::deque<std::string> pending;
    bool ended = false;
    const auto readOne = [&] {
        std::string body;
        switch (reader.Next(body)) {
            case ReadResult::Message:
                pending.push_back(std::move(body));
                break;
            case ReadResult::BadHeader:
                server.HandleUnreadable();
                break;
            case ReadResult::End:
                ended = true;
                break;
        }
    };
    while (!server.Exited()) {
        if (pending.empty()) {
            if (ended) {
                break;
            }
            readOne();
            continue;
        }
        while (!ended && reader.Ready()) {
            readOne();
        }
        const std::string body = std::move(pending.front());
        pending.pop_front();
        server.Handle(body, pending);
    }
    return server.Exited() ? server.ExitStatus() : 1;
}

}  // namespace quill::lsp
