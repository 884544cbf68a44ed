#include "tests/support/inkprofile.h"

namespace testsupport
{

QList<int> inkProfile(const QImage &image, Qt::Orientation along)
{
    const bool rows = along == Qt::Vertical;
    QList<int> profile(rows ? image.height() : image.width(), 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            profile[rows ? y : x] += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return profile;
}

int inkIn(const QList<int> &profile, qsizetype from, qsizetype to)
{
    int sum = 0;
    for (qsizetype i = from; i < to; ++i)
        sum += profile.at(i);
    return sum;
}

bool splitByBlankBand(const QList<int> &profile)
{
    qsizetype start = 0;
    while (start < profile.size() && profile.at(start) == 0)
        ++start;
    qsizetype end = profile.size();
    while (end > start && profile.at(end - 1) == 0)
        --end;
    if (end - start < 3)
        return false;
    const qsizetype middle = (start + end) / 2;
    const qsizetype third = (end - start) / 3;
    const qsizetype shortest = qMax<qsizetype>(1, profile.size() / 50);
    qsizetype bandStart = -1;
    for (qsizetype i = start; i < end; ++i) {
        if (profile.at(i) != 0) {
            bandStart = -1;
            continue;
        }
        if (bandStart < 0)
            bandStart = i;
        const bool longEnough = i + 1 - bandStart >= shortest;
        const bool inMiddleThird = i >= middle - third / 2 && bandStart <= middle + third / 2;
        if (longEnough && inMiddleThird)
            return inkIn(profile, start, bandStart) > 0 && inkIn(profile, i + 1, end) > 0;
    }
    return false;
}

} // namespace testsupport
