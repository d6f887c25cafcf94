#pragma once

#include "print/TextMetrics.h"
#include "print/clsMultiPgPreview.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

// A recorder in preview mode on the default Letter page (8.0 x 10.5 inches
// printable) with fixed metrics: every character 0.1 inch wide and every
// line 0.2 inch high at 10 points.
class RecorderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rec = std::make_unique<clsMultiPgPreview>();
        rec->setTextMetrics(std::make_shared<FixedTextMetrics>(0.1, 0.2));
        rec->setSendToPrinter(false);
        rec->pStartDoc();
    }

    const RecordedPage &page(int index = 0) const { return rec->document().pages.at(index); }
    QList<PageOp::Text> texts(int index = 0) const { return page(index).texts(); }

    std::unique_ptr<clsMultiPgPreview> rec;
};

inline bool near(double a, double b)
{
    return std::abs(a - b) < 1e-6;
}

#define EXPECT_NEAR_IN(a, b) EXPECT_NEAR((a), (b), 1e-6)
