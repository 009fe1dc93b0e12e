# The Qt-free part of the data plotting window: the series, the scale rules and the range
# checks. Included by the window's folder and by trixlog (which builds without Qt).
trix_core_library(trixplotcore
    ${CMAKE_CURRENT_LIST_DIR}/series.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/plot_ranges.cpp
)
target_link_libraries(trixplotcore PUBLIC trixdecode trixbase)
