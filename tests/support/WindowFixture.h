#pragma once

#include "ControlByName.h"
#include "MsgBox.h"
#include "setup.h"
#include "TestSupport.h"
#include "WindowUser.h"

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
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;
    // Whether the failure path's box was shown: titled "DAZU", with the critical icon.
    bool failed() const { return !messages.filter(QStringLiteral("DAZU|16|")).isEmpty(); }

    // What a test stores before the window loads, through the one seeding of TestSupport.
    dazu::config::Configuration database() {
        if (!folder.exists(QStringLiteral("DAZU.CFG")))
            folder.seed();
        return dazu::config::OpenConfiguration(folder.databasePath());
    }
    void store(const char* field, const dazu::config::Variant& value) {
        folder.seed({{field, value}});
    }
    void addName(const char* table, const char* name) {
        folder.addNames(table, {QString::fromUtf8(name)});
    }

    setup& load() { return *(window = dazu::test::LoadWindow(folder.path())); }
    template <typename T> T* control(const char* name) const {
        return dazu::test::Control<T>(*window, name);
    }
    // Every field of the first settings row, for before-and-after comparisons.
    QStringList storedRow() {
        database();
        return dazu::test::StoredRow(folder.databasePath());
    }
};
