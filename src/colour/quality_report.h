#pragma once
// How well a pattern stands for its picture: per thread its stitches, the mean ΔE2000 between
// the picture's colour for each stitch (its mean over the stitch's area) and the thread, and a grade; the mean over all
// stitches; the five worst threads; and the lone stitches (no neighbour of the same thread among
// the eight around it), per thread and in all.
#include "colour/pattern.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct ThreadQuality {
    int index = 0; // palette index
    Long numero = 0;
    Long colour = 0;
    long stitches = 0;
    double meanDeltaE = 0; // 0 for a thread without stitches
    QString grade;
    long lone = 0;
};

struct QualityReport {
    std::vector<ThreadQuality> threads; // in palette order
    long stitches = 0;
    double meanDeltaE = 0; // weighted by stitches
    QString grade;
    std::vector<int> worst; // palette indexes of up to five threads, highest mean first
    long lone = 0;
};

// The grade of a mean difference: "Exacto" below 1, "Muy cerca" below 3, "Bien" below 5,
// "Regular" below 10, "Lejos" below 20, else "Muy lejos".
QString qualityGrade(double deltaE);

// Lone stitches of each palette index.
std::vector<long> loneStitches(const Pattern& pattern);

// The report of a pattern; `pixels` holds, row by row, the picture's colour for each stitch
// (as stitchAreaMeans gives it, width x height of them). Stitches without a colour count as exact.
// A pattern or thread without stitches is graded "Sin puntos": there is nothing to compare.
QualityReport qualityReport(const Pattern& pattern, const std::vector<Long>& pixels);

// What the differences are measured against, as the report says it.
QString qualityReference();

// Palette indexes of every thread, worst first (highest mean; equal means keep palette order).
std::vector<int> threadsWorstFirst(const QualityReport& report);

// One line of advice chosen from the figures: with a mean over 5, "Colores fieles a la imagen"
// while `faithful` is off, else more colours; then, with over 5 % of lone stitches, the clean-up;
// else that the pattern looks like the picture. Empty for a pattern without stitches.
QString qualityAdvice(const QualityReport& report, bool faithful);

// The report as JSON text (UTF-8), for the batch command's --report.
QByteArray qualityReportJson(const QualityReport& report);
