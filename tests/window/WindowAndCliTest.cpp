// The window and quill-cli choose a function the same way: for every
// function of every library in the demo catalogue, the record the window
// holds, the helper it offers and the messages it shows are what
// `quill-cli params --json` prints.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>

#include "WindowHarness.h"
#include "core/library/FunctionScanner.h"

namespace quill {
namespace {

struct CliChoice {
    QJsonObject record;
    std::string messages;  // standard error
};

CliChoice RunCliParams(const std::string& library, const std::string& entry) {
    QProcess cli;
    cli.start(QStringLiteral(QUILL_CLI_PATH),
              {QStringLiteral("params"), QString::fromStdString(library),
               QString::fromStdString(entry), QStringLiteral("--json")});
    EXPECT_TRUE(cli.waitForFinished(30000));
    return {QJsonDocument::fromJson(cli.readAllStandardOutput()).object(),
            cli.readAllStandardError().toStdString()};
}

// The window's record in the form quill-cli prints it.
QJsonObject WindowRecord(const MainWindow& window) {
    const FunctionDocumentation& documentation = window.Documentation();
    QJsonObject record;
    record["functionName"] = QString::fromStdString(documentation.functionName);
    record["returnType"] = QString::fromStdString(documentation.returnType);
    record["parameterCount"] = documentation.parameterCount;
    QJsonArray parameters;
    for (const ParameterDescription& parameter : documentation.parameters) {
        parameters.append(QJsonObject{{"name", QString::fromStdString(parameter.name)},
                                      {"choiceText", QString::fromStdString(parameter.choiceText)},
                                      {"editText", QString::fromStdString(parameter.editText)}});
    }
    record["parameters"] = parameters;
    record["helperName"] = QString::fromStdString(documentation.helperName);
    record["helperProgram"] = QString::fromStdString(window.HelperPath());
    return record;
}

// The fields of quill-cli's record that the window holds.
QJsonObject CliRecord(const QJsonObject& printed) {
    QJsonObject record;
    for (const char* key :
         {"functionName", "returnType", "parameterCount", "helperName", "helperProgram"}) {
        record[key] = printed[key];
    }
    QJsonArray parameters;
    for (const QJsonValue& parameter : printed["parameters"].toArray()) {
        const QJsonObject p = parameter.toObject();
        parameters.append(QJsonObject{
            {"name", p["name"]}, {"choiceText", p["choiceText"]}, {"editText", p["editText"]}});
    }
    record["parameters"] = parameters;
    return record;
}

TEST(WindowAndCli, EveryDemoFunctionGivesTheSameRecordHelperAndMessages) {
    std::vector<std::string> libraries;
    for (const auto& file :
         std::filesystem::recursive_directory_iterator(std::string(QUILL_EXAMPLES_DIR))) {
        const std::string extension = file.path().extension().string();
        if (extension == ".h" || extension == ".s79" || extension == ".s") {
            libraries.push_back(file.path().string());
        }
    }
    ASSERT_GE(libraries.size(), 5u);
    int functions = 0;
    for (const std::string& library : libraries) {
        WindowHarness harness(false);
        harness.ListLibrary(library);
        harness.Start();
        for (const std::string& entry : ScanLibraryFile(library).entries) {
            SCOPED_TRACE(library + ": " + entry);
            ++functions;
            // Opening the list shows the first function; the messages of the
            // choice itself come once it closes.
            NotifyingComboBox* list = harness.ui.functionCombo;
            QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
            harness.platform.log.clear();
            list->view()->setCurrentIndex(list->model()->index(list->FindStringExact(entry), 0));
            QTest::keyClick(list->view(), Qt::Key_Return);
            Settle();
            std::string shown;
            for (const std::string& line : harness.platform.log) {
                shown += line.substr(Msg(48, "").size()) + "\n";
            }

            const CliChoice cli = RunCliParams(library, entry);
            EXPECT_EQ(WindowRecord(*harness.window), CliRecord(cli.record));
            EXPECT_EQ(shown, cli.messages);
        }
    }
    EXPECT_GE(functions, 20);
}

}  // namespace
}  // namespace quill
