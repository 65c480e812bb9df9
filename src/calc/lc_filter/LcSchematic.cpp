#include "calc/lc_filter/LcSchematic.h"

#include "report/CFormat.h"

#include <algorithm>

namespace {

constexpr int kPitch = 70;  // between ladder positions
constexpr int kMargin = 45; // from the terminals to the first position
constexpr int kRail = 40;   // the signal rail's y
constexpr int kGround = 136;

// A coil of four turns from (x, y), along x (bVertical false) or y.
std::string Coil(int x, int y, bool bVertical) {
    std::string strPath = FormatC("<path d=\"M%d,%d", x, y);
    for (int i = 0; i < 4; ++i) {
        strPath += bVertical ? " a6,6 0 0 1 0,12" : " a6,6 0 0 1 12,0";
    }
    return strPath + "\"/>\n";
}

// Plates 8 apart around (cx, cy), across the line they sit on.
std::string Plates(int cx, int cy, bool bVertical) {
    if (bVertical) { // leads along y: horizontal plates
        return FormatC("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>\n"
                       "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>\n",
                       cx - 12, cy - 4, cx + 12, cy - 4, cx - 12, cy + 4, cx + 12, cy + 4);
    }
    return FormatC("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>\n"
                   "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>\n",
                   cx - 4, cy - 10, cx - 4, cy + 10, cx + 4, cy - 10, cx + 4, cy + 10);
}

std::string Line(int x1, int y1, int x2, int y2) {
    return FormatC("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\"/>\n", x1, y1, x2, y2);
}

std::string Label(int x, int y, const std::string& strText, const char* pszAnchor) {
    return FormatC("<text x=\"%d\" y=\"%d\" text-anchor=\"%s\">%s</text>\n", x, y, pszAnchor,
                   strText.c_str());
}

} // namespace

std::string LcSchematicSvg(const std::vector<CLcPart>& parts) {
    if (parts.empty()) {
        return {};
    }
    int nPositions = 0;
    for (const CLcPart& part : parts) {
        nPositions = std::max(nPositions, part.m_nPosition);
    }
    const int nWidth = 2 * kMargin + kPitch * nPositions;
    std::string strLines; // black strokes
    std::string strMasks; // white ground under the series arms
    std::string strDots;  // junctions
    std::string strLabels;
    for (const CLcPart& part : parts) {
        const int cx = kMargin + kPitch * (part.m_nPosition - 1) + kPitch / 2;
        const bool bInductor = part.m_eKind == ELcPartKind::Inductor;
        switch (part.m_ePlace) {
        case ELcPlace::Shunt: {
            const int cy = (kRail + kGround) / 2;
            if (bInductor) {
                strLines += Line(cx, kRail, cx, cy - 24) + Coil(cx, cy - 24, true) +
                            Line(cx, cy + 24, cx, kGround);
            } else {
                strLines += Line(cx, kRail, cx, cy - 4) + Plates(cx, cy, true) +
                            Line(cx, cy + 4, cx, kGround);
            }
            strDots += FormatC("<circle cx=\"%d\" cy=\"%d\" r=\"4\"/>\n"
                               "<circle cx=\"%d\" cy=\"%d\" r=\"4\"/>\n",
                               cx, kRail, cx, kGround);
            strLabels += Label(cx + 16, cy + 28, part.m_strName, "start");
            break;
        }
        case ELcPlace::Series:
            strMasks += FormatC("<rect x=\"%d\" y=\"%d\" width=\"48\" height=\"24\"/>\n", cx - 24,
                                kRail - 12);
            if (bInductor) {
                strLines += Coil(cx - 24, kRail, false);
            } else {
                strLines += Line(cx - 24, kRail, cx - 4, kRail) + Plates(cx, kRail, false) +
                            Line(cx + 4, kRail, cx + 24, kRail);
            }
            strLabels += Label(cx, kRail + 30, part.m_strName, "middle");
            break;
        case ELcPlace::Across:
            // Bridged over the inductor of its position, above the rail.
            strLines += Line(cx - 30, kRail, cx - 30, 16) + Line(cx - 30, 16, cx - 4, 16) +
                        Plates(cx, 16, false) + Line(cx + 4, 16, cx + 30, 16) +
                        Line(cx + 30, 16, cx + 30, kRail);
            strDots += FormatC("<circle cx=\"%d\" cy=\"%d\" r=\"4\"/>\n"
                               "<circle cx=\"%d\" cy=\"%d\" r=\"4\"/>\n",
                               cx - 30, kRail, cx + 30, kRail);
            strLabels += Label(cx, kRail + 50, part.m_strName, "middle");
            break;
        }
    }
    std::string strSvg =
        FormatC("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"80\" "
                "viewBox=\"0 0 %d 160\">\n"
                "<rect width=\"%d\" height=\"160\" fill=\"#ffffff\"/>\n",
                nWidth / 2, nWidth, nWidth);
    strSvg += "<g fill=\"none\" stroke=\"#000000\" stroke-width=\"2.5\" "
              "stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
    strSvg += Line(20, kRail, nWidth - 20, kRail) + Line(20, kGround, nWidth - 20, kGround);
    strSvg += "</g>\n<g fill=\"#ffffff\" stroke=\"none\">\n" + strMasks + "</g>\n";
    strSvg += "<g fill=\"none\" stroke=\"#000000\" stroke-width=\"2.5\" "
              "stroke-linejoin=\"round\" stroke-linecap=\"round\">\n" +
              strLines + "</g>\n";
    strSvg +=
        FormatC("<g fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"2.5\">\n"
                "<circle cx=\"16\" cy=\"%d\" r=\"5\"/>\n<circle cx=\"%d\" cy=\"%d\" r=\"5\"/>\n"
                "<circle cx=\"16\" cy=\"%d\" r=\"5\"/>\n<circle cx=\"%d\" cy=\"%d\" r=\"5\"/>\n"
                "</g>\n",
                kRail, nWidth - 16, kRail, kGround, nWidth - 16, kGround);
    strSvg += "<g fill=\"#000000\" stroke=\"none\">\n" + strDots + "</g>\n";
    strSvg += "<g font-family=\"sans-serif\" font-size=\"20\" font-weight=\"bold\" "
              "fill=\"#000000\">\n" +
              strLabels + "</g>\n</svg>\n";
    return strSvg;
}
