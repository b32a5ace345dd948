#include "tfn/summary/data_table.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(WriteDataTableTest, WritesTitleHeaderAndRightJustifiedRows) {
  SeriesTable table(1999, 2001, 2);
  table.At(1999, 1) = 1.5;
  table.At(2000, 1) = -12345.678912;
  table.At(2001, 1) = 0.00004;
  table.At(1999, 2) = 123456789.5;  // wider than its field: kept whole
  DataTable columns = SeriesColumns(table, {"Time", "Front", "Rear"}, 1998, 2001);
  std::string text;
  WriteDataTable(text, "The title:", columns);
  EXPECT_EQ(text,
            "The title:\r\n"
            "Time,Front,Rear\r\n"
            "   1998,     Missing,     Missing\r\n"
            "   1999,      1.5000,123456789.5000\r\n"
            "   2000, -12345.6789,     Missing\r\n"
            "   2001,      0.0000,     Missing\r\n");
}

}  // namespace
}  // namespace quorvane
