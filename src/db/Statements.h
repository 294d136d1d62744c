#pragma once
// Every SQL text the program runs against the production database, in the plant database's
// own form. A "?" stands wherever a value goes; values are always bound (Database::run),
// never pasted into the text. Row writes go through RowWriter.

#include <QString>

namespace sql {

// --- Start-up and class choice -------------------------------------------------------

// The operator's Kalvuner authority; binds the operator code.
extern const QString OperatorAuthority;
// The plant-wide display period (months) and time grid (minutes).
extern const QString SystemSettings;
// Every process class for the class window, by class code.
extern const QString ProcessClasses;

// --- Chart rows and working time -------------------------------------------------------

// The machines of one process class; binds plant code, class code.
extern const QString ClassMachines;
// The subcontractors that work for one process class; binds class code.
extern const QString ClassSubcontractors;
// Every machine of the plant (all classes) for the machine-name look-up; binds plant code.
extern const QString PlantMachines;
// The plant's ten break pairs as columns Jikoku01..Jikoku20.
extern const QString BreakMaster;
// One machine's working-hour rows over a date range; binds machine code, first and last
// date ("yyyymmdd").
extern const QString MachineCalendar;

// --- Plan loading ----------------------------------------------------------------------

// Every open arrangement of a class with its routing, item, process, plan, molding-condition
// and machine-cycle values; binds class code, plant code.
extern const QString PlanMain;
// One open arrangement of the class as PlanMain reads it; binds process class, plant code,
// arrangement number.
extern const QString PlanLot;
// What the load must know of the arrangement numbers before it reads the lots, in one read:
// rows of kind (種別) 1 name the numbers that more than one row of DB0253 carries, in any
// class or plant; rows of kind 2 the arrangements PlanMain cannot take because 完納区分,
// 削除フラグ, 生産工場コード or 品名コード is null (its comparisons are false on a null), as far
// as they may be open lots of the class: no other value shuts them out, and an arrangement
// without an item may be of any class. By kind, then number; binds plant code, plant code,
// class code.
extern const QString ArrangementNumberChecks;
// A mold's short name; binds mold number.
extern const QString MoldShortName;
// The material requirement rows of an arrangement that its bill of material still lists;
// binds arrangement number.
extern const QString LotRequirements;
// Every mold's short name by mold number, for looking up the molds of all loaded lots at once.
extern const QString MoldShortNames;
// The requirement rows of every open arrangement of a class (the lots of PlanMain), grouped
// by arrangement and in LotRequirements' order within each; binds class code, plant code.
extern const QString ClassLotRequirements;

// --- Editing look-ups ------------------------------------------------------------------

// The routing row of an item and process step (productivity and its unit); binds item code,
// sequence.
extern const QString RoutingForRate;
// An item's cycle on one machine; binds item code, sequence, machine code.
extern const QString MachineCycle;
// Every live cycle row of the plant's items on machines, for the automatic planner.
extern const QString LiveMachineCycles;
// The customer orders and demand plans linked to an arrangement, with customer and item
// names; binds arrangement number.
extern const QString RelatedOrders;
// An item's model name and its half-width 品名仕様; binds item code.
extern const QString ItemModelNames;
// The arrangements that feed an arrangement (the previous process), latest end first; binds
// arrangement number.
extern const QString PreviousProcessEnds;

// --- Process chain dialogs -------------------------------------------------------------
// Each reads live arrangements only: a deleted one ends a chain rather than joining a lot.

// One arrangement with its process content name, outside process classes 03 and 30;
// binds arrangement number.
extern const QString ChainProcess;
// The same with the item's model name, for filling a member slot; binds arrangement number.
extern const QString ChainProcessWithModel;
// One arrangement with its process content name through its routing; binds arrangement
// number.
extern const QString ProcessShowByNo;
// The next process of the chain, outside process classes 03 and 30; binds arrangement
// number (the previous row's parent number).
extern const QString ProcessShowNext;
// The earlier processes that feed an arrangement; binds arrangement number.
extern const QString ProcessShowEarlier;

// --- Saving ----------------------------------------------------------------------------

// One arrangement row, every column; binds arrangement number.
extern const QString ArrangementByNo;
// The same row locked until the lot's transaction ends (PostgreSQL; SQLite's write
// transaction already keeps other writers out).
extern const QString ArrangementByNoForUpdate;
// The arrangement number counter (current, first and last number).
extern const QString ArrangementNumberCounter;
// Advances the arrangement number counter only if nobody else moved it since it was read;
// binds the new current number, the current number as read.
extern const QString ClaimArrangementNumber;
// Every requirement row of an arrangement, for copying to a split arrangement; binds
// arrangement number.
extern const QString RequirementsOfArrangement;
// Scales the live requirement rows of an arrangement with its quantity; binds the factor,
// arrangement number.
extern const QString ScaleRequirementsOfArrangement;
// Every requirement row of an arrangement, before they are marked deleted; binds
// arrangement number.
extern const QString RequirementRowsOfSlot;
// The last-process requirement row of one material of an arrangement; binds arrangement
// number, material item code.
extern const QString RequirementEntry;
// The bill-of-material row of one material under an item and process step; binds plant
// code, parent item code, sequence, material item code.
extern const QString BillOfMaterialEntry;
// One machine row, every column; binds machine code.
extern const QString MachineByCode;
// The sections of a department, first section first; binds department code.
extern const QString SectionsOfDepartment;
// One supplier or in-house section; binds supplier code.
extern const QString SupplierByCode;
// The newest unit price of an item and step at one supplier; binds supplier code, item code,
// plant code, sequence.
extern const QString SubcontractPrice;
// The newest unit price valid for any supplier; binds item code, plant code, sequence.
extern const QString SubcontractPriceAnySupplier;
// One production plan row; binds production plan number.
extern const QString ProductionPlanByNo;
// Total arranged quantity and latest due date of a plan's confirmed last-process
// arrangements that are not deleted (a merged-away one counts no more); binds production
// plan number, item code.
extern const QString ConfirmedTotalsOfPlan;
// A mark inside the transaction of one lot, so that one write can be undone and tried again
// without undoing the lot's earlier writes; released when the write went through.
extern const QString SavepointWrite;
extern const QString RollbackToSavepointWrite;
extern const QString ReleaseSavepointWrite;

} // namespace sql
