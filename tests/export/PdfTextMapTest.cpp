// The text maps of an exported PDF: glyphs the writer told as radicals are told as the
// ideographs they draw, nothing else changes, and the file keeps its length.

#include "export/PdfTextMap.h"

#include <gtest/gtest.h>

namespace {

QByteArray pdfWithTextMap(const QByteArray &lines)
{
    const QByteArray map = "/CIDInit /ProcSet findresource begin\n" + lines + "endcmap\n";
    return "%PDF-1.4\n5 0 obj\n<< /Type /Font /ToUnicode 7 0 R >>\nendobj\n7 0 obj\n<< /Length "
        + QByteArray::number(map.size()) + " >>\nstream\n" + map + "endstream\nendobj\n"
        + "9 0 obj\n<< /Length 20 >>\nstream\n<0001> <2F2F> [<2F47>]\nendstream\nendobj\n";
}

TEST(PdfTextMap, RadicalsOfSingleGlyphsBecomeTheirIdeographs)
{
    QByteArray pdf = pdfWithTextMap("3 beginbfrange\n"
                                    "<0000> <0000> <0000>\n"
                                    "<0001> <0004> [<2F2F> <5834> <2F47> <0041> ]\n"
                                    "<0005> <0005> <2F2D>\n"
                                    "<0006> <0008> <2F00>\n" // a run of glyphs: left as it is
                                    "endbfrange\n"
                                    "2 beginbfchar\n"
                                    "<0009> <2E9F>\n"
                                    "<000A> <301C>\n"
                                    "endbfchar\n");
    const qsizetype length = pdf.size();

    EXPECT_EQ(restoreIdeographs(pdf), 4);

    EXPECT_EQ(pdf.size(), length);
    EXPECT_TRUE(pdf.contains("<0001> <0004> [<5DE5> <5834> <65E5> <0041> ]")); // 工場日A
    EXPECT_TRUE(pdf.contains("<0005> <0005> <5C71>\n"));                      // 山
    EXPECT_TRUE(pdf.contains("<0006> <0008> <2F00>\n"));
    EXPECT_TRUE(pdf.contains("<0009> <6BCD>\n"));                             // ⺟ as 母
    EXPECT_TRUE(pdf.contains("<000A> <301C>\n"));
    EXPECT_TRUE(pdf.contains("<0001> <2F2F> [<2F47>]")) << "a stream that is no text map is left alone";
}

TEST(PdfTextMap, FilesWithoutTextMapsOrCutShortStayAsTheyAre)
{
    for (QByteArray pdf : {QByteArray("%PDF-1.4\n"), QByteArray("/ToUnicode 7 0 R"),
                           QByteArray("/ToUnicode 7 0 R\n7 0 obj\n<< >>\nstream\n1 beginbfrange\n<0001> <0001> <2F2F"),
                           pdfWithTextMap("1 beginbfrange\n<0001> <0001> <2F2F>")}) {
        const QByteArray before = pdf;
        restoreIdeographs(pdf);
        EXPECT_EQ(pdf.size(), before.size());
    }
}

} // namespace
