#pragma once

// The integer arithmetic of the window layout; every division truncates.
namespace layoutmath {

// Height of the output pane from the stored percentage: 750 and 25 % give 7 x 25 = 175.
constexpr int outputPaneHeight(int windowHeight, int percent)
{
    return windowHeight / 100 * percent;
}
// The percentage a pane height stands for: 175 of 750 gives 23.
constexpr int outputPanePercent(int paneHeight, int windowHeight)
{
    return windowHeight > 0 ? paneHeight * 100 / windowHeight : 0;
}
constexpr int outputPaneMinimum(int windowHeight)
{
    return windowHeight / 5;
}
constexpr int outputPaneMaximum(int windowHeight)
{
    return windowHeight / 4 * 3;
}

} // namespace layoutmath
