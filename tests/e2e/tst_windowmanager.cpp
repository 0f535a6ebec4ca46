// The window on a desktop with a window manager, as most users meet it: a frame with a title
// bar, nothing to resize, minimize or maximize, and a close box that stores nothing.
#include "DazuRun.h"
#include "SettingsWindow.h"
#include "TestSupport.h"
#include "XServer.h"

using namespace dazu::e2e;
using dazu::test::AppFolder;

namespace {

// The frame is the title bar above the window and a border around it. The close box is the
// square at the right end of the title bar, as tall as the bar.
QPoint CloseBoxCentre(const QRect& clientArea, const QMargins& frame) {
    const int bar = frame.top() - frame.bottom();
    return {clientArea.right() - bar / 2, clientArea.top() - bar / 2};
}

} // namespace

class tst_WindowManager : public QObject {
    Q_OBJECT

    XServer x_;

private Q_SLOTS:
    void initTestCase() {
        E2E_SKIP_UNLESS(x_.start());
        E2E_VERIFY(x_.startWindowManager());
    }

    // One close box and nothing else: no resizing, no minimize, no maximize.
    void frameOffersOnlyTheCloseBox() {
        AppFolder folder(AppFolder::CopyOfDist);
        DazuRun dazu(x_, folder.path());
        const auto window = dazu.startShowing(kWindowTitle);
        E2E_VERIFY(window);

        const auto frame = dazu.desktop().frameExtents(*window);
        E2E_VERIFY(frame);
        QVERIFY2(frame->top() > frame->bottom(), "the frame has no title bar above the window");
        const auto limits = dazu.desktop().sizeLimits(*window);
        E2E_VERIFY(limits);
        QCOMPARE(limits->minimum, kClientArea);
        QCOMPARE(limits->maximum, kClientArea);
        const auto actions = dazu.desktop().allowedActions(*window);
        E2E_VERIFY(actions);
        QVERIFY2(actions->contains(QStringLiteral("_NET_WM_ACTION_CLOSE")),
                 qPrintable(actions->join(QLatin1Char(' '))));
        for (const char* refused : {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MINIMIZE",
                                    "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
            QVERIFY2(!actions->contains(QLatin1String(refused)), refused);
    }

    // The close box stores nothing ("&Cancelar" and Alt+C are the window's own tests').
    void closeBoxStoresNothing() {
        AppFolder folder(AppFolder::CopyOfDist);
        // A destination folder without a value is stored as empty text by any save, even one
        // that changes nothing else.
        folder.seed({{"pathdest", dazu::config::Variant()}});
        const QStringList before = dazu::test::StoredRow(folder.databasePath());

        DazuRun dazu(x_, folder.path());
        const auto window = dazu.startShowing(kWindowTitle);
        E2E_VERIFY(window);
        const auto area = dazu.desktop().clientArea(*window);
        E2E_VERIFY(area);
        const auto frame = dazu.desktop().frameExtents(*window);
        E2E_VERIFY(frame);
        E2E_VERIFY(dazu.desktop().clickAt(CloseBoxCentre(*area, *frame)));

        const auto status = dazu.waitForExit();
        E2E_VERIFY(status);
        QCOMPARE(*status, 0);
        QCOMPARE(dazu::test::StoredRow(folder.databasePath()), before);
    }
};

QTEST_GUILESS_MAIN(tst_WindowManager)
#include "tst_windowmanager.moc"
