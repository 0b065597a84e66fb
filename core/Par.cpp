#include "core/Par.h"

#include "core/Solver.h"

#include <algorithm>

namespace qx {

namespace {

std::string Figure(const Par& par)
{
    if (par.Proven()) return std::to_string(par.lowerBound);
    return std::to_string(par.lowerBound) + "〜" + (par.found > 0 ? std::to_string(par.found) : "");
}

// "22 回", "44〜54 回", "44 回以上".
std::string SpokenFigure(const Par& par)
{
    if (par.Proven()) return std::to_string(par.lowerBound) + " 回";
    if (par.found == 0) return std::to_string(par.lowerBound) + " 回以上";
    return std::to_string(par.lowerBound) + "〜" + std::to_string(par.found) + " 回";
}

bool Optimal(const std::optional<Par>& par, int hints, int count)
{
    return par && par->Proven() && hints == 0 && count == par->found;
}

}  // namespace

bool IsPlausible(const Par& par)
{
    return par.lowerBound >= 0 && par.lowerBound <= MaxPar && par.found >= 0 && par.found <= MaxPar &&
           (par.found == 0 || par.found >= par.lowerBound);
}

Par ParOf(const Solution& answer)
{
    return {.lowerBound = answer.lowerBound, .found = answer.HasPath() ? int(answer.path.size()) : 0};
}

Par Sharper(const Par& known, const Par& learned)
{
    Par sharper{.lowerBound = std::max(known.lowerBound, learned.lowerBound), .found = known.found};
    if (learned.found > 0 && (sharper.found == 0 || learned.found < sharper.found)) sharper.found = learned.found;
    return sharper;
}

Par WithPlayedWay(const Par& par, int count) { return Sharper(par, {.lowerBound = 0, .found = count}); }

std::string ParText(bool hasProblem, const std::optional<Par>& par, bool optimal)
{
    if (!hasProblem) return {};
    if (!par) return "…";
    return (optimal && par->Proven() ? "★" : "") + Figure(*par);
}

std::string ParSpoken(bool hasProblem, const std::optional<Par>& par, bool optimal)
{
    if (!hasProblem) return "最短";
    if (!par) return "最短 計算中";
    return "最短 " + SpokenFigure(*par) + (optimal && par->Proven() ? "、最短で完成" : "");
}

std::string ParCellText(const std::optional<Par>& par, int hints, int count)
{
    if (!par || count <= 0) return {};
    return (Optimal(par, hints, count) ? "★" : "") + Figure(*par) + (hints > 0 ? "※" : "");
}

std::string ParCellSpoken(const std::optional<Par>& par, int hints, int count)
{
    if (!par || count <= 0) return {};
    std::string spoken = "最短 " + SpokenFigure(*par);
    if (Optimal(par, hints, count)) spoken += "、最短で完成";
    if (hints > 0) spoken += "、ヒント " + std::to_string(hints) + " 回";
    return spoken;
}

}  // namespace qx
