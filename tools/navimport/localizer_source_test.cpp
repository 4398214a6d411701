// Localizer rows to runway-end label texts: the course made magnetic with the nearest VOR's
// variation, rounded and kept within 000-359; an ILS wins over a localizer alone; bad rows reported.
#include "tools/navimport/localizer_source.h"

#include <gtest/gtest.h>

namespace corvane::navimport {
namespace {

TEST(LocalizerSource, LabelTextPerRunwayEnd) {
  const SourceFile file("nav.dat",
                        "I\n810 Version - test data\n"
                        "3  52.33214400  004.74988300     14 10840 260    0.0 SPL  SCHIPHOL VOR-DME\n"
                        "3  63.98680556 -022.61450000    200 11200 200  -16.0 KEF  KEFLAVIK VORTAC\n"
                        "3  64.00000000  179.90000000      0 11300 200   20.0 EDG  DATE LINE EAST VOR\n"
                        "4  52.32589400  004.70859200    -11 11010  18     183.235 VPB  EHAM 18R ILS-cat-III\n"
                        "4  52.33398400  004.74025000    -11 10875  18       2.990 MSA  EHAM 36C ILS-cat-III\n"
                        "4  63.99333333 -022.60544444    163 11130  18       0.020 IKN  BIKF 02  ILS-cat-I\n"
                        "4  63.96313889 -022.60544444    137 11030  18     344.400 IKO  BIKF 20  ILS-cat-II\n"
                        "5  63.98502778 -022.66172222    111 10850  18     270.020 IKW  BIKF 29  LOC\n"
                        "4  63.98502778 -022.66172222    111 10870  18     270.020 IKX  BIKF 29  ILS-cat-I\n"
                        "5  63.98502778 -022.66172222    111 10890  18     270.020 IKY  BIKF 29  LOC\n"
                        "4  64.00000000 -179.90000000      0 10990  18      15.000 IDL  XDAT 02  ILS-cat-I\n"
                        "4  52.00000000  004.00000000      0  1099  18      90.000 IBD  EBAD 09  ILS-cat-I\n"
                        "4  52.00000000  004.00000000      0 10990  18      90.000 INO\n"
                        "99\n");
  ImportReport report;
  const LocalizerLabels labels = ReadLocalizerLabels(file, report);
  const std::map<std::string, std::string, std::less<>> expected = {
      {"EHAM 18R", "110.10 183"},                             // variation 0: true is magnetic
      {"EHAM 36C", "108.75 003"}, {"BIKF 02", "111.30 016"},  // 16 degrees west: 0.02 true is 016 magnetic
      {"BIKF 20", "110.30 000"},                              // 360.4 rounds to 360, written 000
      {"BIKF 29", "108.70 286"},                              // the ILS, not the localizers alone before and after it
      {"XDAT 02", "109.90 355"},                              // the nearest VOR is across the date line
  };
  EXPECT_EQ(labels.byRunwayEnd, expected);
  EXPECT_EQ(labels.trueCourses, 0u);
  EXPECT_EQ(report.DropCount("nav.dat", "localizer frequency or bearing out of range"), 1u);
  EXPECT_EQ(report.DropCount("nav.dat", "localizer row without airport and runway"), 1u);
}

}  // namespace
}  // namespace corvane::navimport
