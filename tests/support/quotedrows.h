#pragma once

#include "quotation/quotationdraft.h"

// Quoted items for tests, stored the way the wizard's save writes them.

// A complete item, derived: Acarbose, "Acavelo 25 mg Tablet" by "Own Make Ltd", HSN 30049099, Strip of
// 10 tablets of 25 mg, cost 100 less 10 % at "GST 12%", MRP 224 with tax (200 without), 45 days' credit,
// 15 days' delivery, 6 months' warranty, a research molecule, "Buy 10 get 1", "Stored remark"; vendor "Vendor".
QuotationDraft sampleQuotation();

// Adds `item` as a Quotations row in the test folder's database, with ID `id` (0: the next free one),
// and returns its ID. No check runs: any combination can be arranged.
qint64 storeQuotation(const QuotationDraft& item, qint64 id = 0);

// "Acme Pharma", with every detail the submission copy needs, as the current vendor, and the sample item
// quoted: a bid ready to hand over.
void storeReadyBid();
