#pragma once

#include "ControlByName.h"
#include "FailurePath.h"
#include "MsgBox.h"
#include "Schema.h"
#include "setup.h"
#include "TestSupport.h"

#include <algorithm>
#include <memory>
#include <QStringList>

// A window loaded from a copy of the portable folder, with its message boxes answered.
struct WindowFixture {
    dazu::test::AppFolder folder{dazu::test::AppFolder::CopyOfDist};
    QStringList messages; // "title|style|prompt" of every box shown
    std::unique_ptr<setup> window;

    WindowFixture() {
        dazu::app::SetMsgBoxPresenter(
            [this](const QString& prompt, int style, const QString& title) {
                messages << QStringLiteral("%1|%2|%3").arg(title).arg(style).arg(prompt);
            });
    }
    ~WindowFixture() { dazu::app::SetMsgBoxPresenter({}); }
    // Whether the failure path's box was shown: titled "DAZU", with the critical icon.
    bool failed() const {
        return std::any_of(messages.begin(), messages.end(), [](const QString& message) {
            return message.startsWith(QStringLiteral("DAZU|16|"));
        });
    }
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    // Runs the start-up sequence once without the window, so the test can change the row.
    dazu::config::Configuration database() {
        if (!folder.exists(QStringLiteral("DAZU.CFG")))
            dazu::app::RunStartup(folder.path());
        return dazu::config::OpenConfiguration(folder.databasePath());
    }
    void store(const char* field, const dazu::config::Variant& value) {
        auto tables = database();
        tables.Setup.MoveFirst();
        tables.Setup.Edit();
        tables.Setup.Fields(field).SetValue(value);
        tables.Setup.Update();
    }
    void addName(const char* table, const char* name) {
        auto tables = database();
        auto& rs = std::string_view(table) == "Files" ? tables.Files : tables.FPCHH;
        rs.AddNew();
        rs.Fields("FILE").SetValue(name);
        rs.Update();
    }

    setup& load() {
        window = std::make_unique<setup>();
        window->setApplicationDirectory(folder.path());
        window->Form_Load();
        return *window;
    }
    template <typename T> T* control(const char* name) const {
        return dazu::test::Control<T>(*window, name);
    }

    // A stored value as storedRow shows it: each byte one character, so that bytes which are
    // not UTF-8 compare exactly.
    static QString rowText(const dazu::config::Variant& value) {
        const std::string text = value.isNull() ? "<Null>" : value.toText();
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    // Every field of the first settings row, byte for byte, for before-and-after comparisons.
    QStringList storedRow() {
        auto tables = database();
        tables.Setup.MoveFirst();
        QStringList row;
        for (const auto& field : dazu::config::SetupTable().fields)
            row << rowText(tables.Setup.Fields(field.name).Value());
        return row;
    }
};
