#pragma once

// The set-up of the tests that print PDFs, through the Qt adapters or the
// print tool: a QGuiApplication, and a fresh folder for the test's files,
// removed with them afterwards.

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include "support/GuiApplication.h"

class PdfPrintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGuiApplication();
        ASSERT_TRUE(dir_.isValid());
    }
    // The file `name` in the test's folder.
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir_;
};
