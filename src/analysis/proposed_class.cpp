#include "analysis/proposed_class.h"

#include <algorithm>
#include <cstdio>

namespace kx {

namespace {

std::string Fixed(double v, int decimals) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// The grade a defect alone gives, and its words.
int GradeOf(const PileDefect& d, const ClassThresholds& t) {
    if (d.kind == DefectKind::kBulge) {
        return 1;
    }
    if (!d.ratio) {
        return 3;
    }
    if (*d.ratio < t.severeNecking) {
        return 4;
    }
    return *d.ratio < t.slightNecking ? 3 : 2;
}

std::string Describe(const PileDefect& d) {
    std::string s =
        Fixed(d.depthM, 2) + " m 处" + (d.kind == DefectKind::kNecking ? "缩径" : "扩径");
    s += d.ratio ? "，阻抗比 " + Fixed(*d.ratio, 2) : "（浅部，阻抗比无法确定）";
    return s;
}

}  // namespace

std::string ClassName(int grade) {
    static const char* const kNames[] = {"I", "II", "III", "IV"};
    return grade >= 1 && grade <= 4 ? kNames[grade - 1] : "";
}

ProposedClass ProposeClass(const PileAnalysis& analysis, const ClassThresholds& t) {
    ProposedClass p;
    if (analysis.impedance.values.empty() && !analysis.toe.timeUs && analysis.defects.empty()) {
        p.reason = "波形中没有锤击，无法判断";
        return p;
    }
    const bool toeClear = analysis.toe.timeUs && analysis.toe.confidence >= t.sureToe;
    p.grade = toeClear ? 1 : 2;
    // The worst defect is named first; a second one, if any, after it.
    std::vector<const PileDefect*> order;
    for (const PileDefect& d : analysis.defects) {
        order.push_back(&d);
        p.grade = std::max(p.grade, GradeOf(d, t));
    }
    std::stable_sort(order.begin(), order.end(), [&](const PileDefect* a, const PileDefect* b) {
        return GradeOf(*a, t) > GradeOf(*b, t);
    });
    std::string words;
    for (size_t i = 0; i < order.size() && i < 2; ++i) {
        words += (i > 0 ? "；" : "") + Describe(*order[i]);
    }
    if (order.size() > 2) {
        words += "等 " + std::to_string(order.size()) + " 处";
    }
    if (words.empty()) {
        words = "未见缺陷反射";
    }
    if (analysis.periodicEchoes >= t.periodicRepeats && !toeClear) {
        p.grade = 4;
        words += "，多次反射（" + std::to_string(analysis.periodicEchoes + 1) + " 次）";
    }
    words +=
        toeClear ? "，桩底反射清晰" : (analysis.toe.timeUs ? "，桩底反射不清晰" : "，未见桩底反射");
    p.reason = words;
    return p;
}

}  // namespace kx
