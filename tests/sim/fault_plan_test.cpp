#include "sim/fault_plan.h"

#include <gtest/gtest.h>

namespace userdb::sim {
namespace {

TEST(FaultPlanTest, FlagsTakeNoArgument) {
  FaultPlan plan;
  EXPECT_TRUE(AddFault(plan, "silent"));
  EXPECT_TRUE(AddFault(plan, "no-banner"));
  EXPECT_TRUE(AddFault(plan, "wrong-answer"));
  EXPECT_TRUE(AddFault(plan, "answer-without-zero"));
  EXPECT_TRUE(AddFault(plan, "checksum-error"));
  EXPECT_TRUE(AddFault(plan, "no-update-over"));
  EXPECT_TRUE(plan.silent && plan.noBanner && plan.wrongAnswer && plan.answerWithoutZero && plan.checksumError &&
              plan.noUpdateOver);
  EXPECT_EQ(AddFault(plan, "silent=1").outcome, FaultOutcome::BadArgument);
  EXPECT_EQ(AddFault(plan, "silent=1").message, "fault silent: takes no argument");
}

TEST(FaultPlanTest, CountsAreWholeNumbers) {
  FaultPlan plan;
  EXPECT_TRUE(AddFault(plan, "stop-records=40"));
  EXPECT_TRUE(AddFault(plan, "stop-notes=0"));
  EXPECT_TRUE(AddFault(plan, "stall-record=7"));
  EXPECT_TRUE(AddFault(plan, "stall-note=255"));
  EXPECT_EQ(plan.stopAfterRecords, 40u);
  EXPECT_EQ(plan.stopAfterNotes, 0u);
  EXPECT_EQ(plan.stallInRecord, 7u);
  EXPECT_EQ(plan.stallInNote, 255u);
  EXPECT_EQ(AddFault(plan, "stop-records").outcome, FaultOutcome::BadArgument);
  EXPECT_EQ(AddFault(plan, "stop-records=").outcome, FaultOutcome::BadArgument);
  EXPECT_EQ(AddFault(plan, "stop-records=4x").outcome, FaultOutcome::BadArgument);
  EXPECT_EQ(AddFault(plan, "stall-note=-1").outcome, FaultOutcome::BadArgument);
}

TEST(FaultPlanTest, PhasedFaults) {
  FaultPlan plan;
  EXPECT_TRUE(AddFault(plan, "garbage=handshake"));
  ASSERT_TRUE(plan.garbageBefore.has_value());
  EXPECT_EQ(plan.garbageBefore->phase, Phase::Handshake);
  EXPECT_EQ(plan.garbageBefore->count, 1u);
  EXPECT_TRUE(AddFault(plan, "garbage=verdict:5"));
  EXPECT_EQ(plan.garbageBefore->count, 5u);

  EXPECT_TRUE(AddFault(plan, "split=banner"));
  EXPECT_EQ(plan.splitTextsIn, Phase::Banner);

  EXPECT_TRUE(AddFault(plan, "hangup=upload:640"));
  ASSERT_TRUE(plan.hangUpAfter.has_value());
  EXPECT_EQ(plan.hangUpAfter->phase, Phase::Upload);
  EXPECT_EQ(plan.hangUpAfter->count, 640u);

  // The device says nothing while it takes the image, and a hang-up needs its byte count.
  EXPECT_EQ(AddFault(plan, "garbage=upload").outcome, FaultOutcome::BadArgument);
  EXPECT_EQ(AddFault(plan, "split=upload").outcome, FaultOutcome::BadArgument);
  EXPECT_EQ(AddFault(plan, "hangup=records").outcome, FaultOutcome::BadArgument);
  EXPECT_EQ(AddFault(plan, "hangup=sideways:3").outcome, FaultOutcome::BadArgument);

  EXPECT_TRUE(AddFault(plan, "torn-write=20000"));
  EXPECT_EQ(plan.tornWriteAfter, 20000u);
  EXPECT_TRUE(AddFault(plan, "store-wrong=4099"));
  EXPECT_EQ(plan.storeWrongByte, 4099u);
  EXPECT_EQ(AddFault(plan, "torn-write").outcome, FaultOutcome::BadArgument);
  EXPECT_EQ(AddFault(plan, "store-wrong=x").outcome, FaultOutcome::BadArgument);
}

TEST(FaultPlanTest, InfoBytesFF) {
  FaultPlan plan;
  EXPECT_TRUE(AddFault(plan, "info-ff=3"));
  EXPECT_EQ(plan.infoBytesFF.count(), 1u);
  EXPECT_TRUE(plan.infoBytesFF.test(3));
  EXPECT_TRUE(AddFault(plan, "info-ff"));
  EXPECT_TRUE(plan.infoBytesFF.all());
  EXPECT_EQ(AddFault(plan, "info-ff=72").outcome, FaultOutcome::BadArgument);
}

TEST(FaultPlanTest, LullsNameAPhaseABlockAndMilliseconds) {
  FaultPlan plan;
  EXPECT_TRUE(AddFault(plan, "lull=records:20:300"));
  EXPECT_TRUE(AddFault(plan, "lull=notes:0:500"));
  EXPECT_EQ(plan.lulls, (std::vector<Lull>{{Phase::Records, 20, std::chrono::milliseconds(300)},
                                           {Phase::Notes, 0, std::chrono::milliseconds(500)}}));
  EXPECT_EQ(TakeLullBefore(plan, Phase::Records, 20), std::chrono::milliseconds(300));
  EXPECT_EQ(TakeLullBefore(plan, Phase::Records, 20), std::chrono::milliseconds(300));  // every conversation
  EXPECT_EQ(TakeLullBefore(plan, Phase::Records, 19), std::nullopt);
  EXPECT_EQ(TakeLullBefore(plan, Phase::Notes, 20), std::nullopt);
  for (const char* bad :
       {"lull=records:20", "lull=records", "lull=upload:3:100", "lull=records:x:100", "lull=records:3:-1", "lull"}) {
    EXPECT_EQ(AddFault(plan, bad).outcome, FaultOutcome::BadArgument) << bad;
  }
  EXPECT_EQ(plan.lulls.size(), 2u);

  plan.lulls = {{Phase::Notes, 4, std::chrono::milliseconds(100), true}};
  EXPECT_EQ(TakeLullBefore(plan, Phase::Notes, 4), std::chrono::milliseconds(100));
  EXPECT_EQ(TakeLullBefore(plan, Phase::Notes, 4), std::nullopt);
}

TEST(FaultPlanTest, UnknownFaultIsNamedInTheError) {
  FaultPlan plan;
  const FaultResult added = AddFault(plan, "sideways=2");
  ASSERT_EQ(added.outcome, FaultOutcome::UnknownFault);
  EXPECT_NE(added.message.find("sideways"), std::string::npos);
}

TEST(FaultPlanTest, PhaseNamesGoBothWays) {
  for (Phase phase :
       {Phase::Banner, Phase::Handshake, Phase::Records, Phase::Notes, Phase::Info, Phase::Upload, Phase::Verdict}) {
    EXPECT_EQ(ParsePhase(PhaseName(phase)), phase);
  }
  EXPECT_EQ(ParsePhase("Banner"), std::nullopt);
}

}  // namespace
}  // namespace userdb::sim
