#pragma once

#include "tests/support/testenv.h"

#include <QObject>
#include <QTest>
#include <optional>

// The fixture most screen tests share: before each test function a fresh application folder with the
// demo tender and a script that records every message box; after it, both gone and no window left
// open. A test that needs another folder replaces it (`folder.emplace(TestFolder::Content::Empty)`); a
// class that must close its own windows first declares its own cleanup() and calls this one last.
class ScreenTest : public QObject
{
    Q_OBJECT
protected:
    std::optional<TestFolder> folder;
    std::optional<MessageBoxScript> boxes;

protected Q_SLOTS:
    void init()
    {
        folder.emplace();
        boxes.emplace();
    }
    void cleanup()
    {
        boxes.reset();
        folder.reset();
        QVERIFY(visibleTopLevels().isEmpty());
    }
};
