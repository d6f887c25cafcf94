-- The statements that create, find and upgrade Tessaly's schema on SQL Server,
-- and every fragment the dialect gives the stores' SQL, as this build renders
-- them, each under a line naming what makes it. test_data compares this file
-- with the build; after a change that is meant:
-- TESSALY_REGENERATE=1 build/tests/data/test_data --gtest_filter='SqlServer*'
-- then review the diff.

-- Schema::CreateStatements (an empty catalog; each its own batch, in one transaction)
CREATE TABLE sales (id int identity(1,1) primary key, customerid int, saledate datetime2(0), status nvarchar(255), Closedate datetime2(0), TaxExempt int, year nvarchar(255), make nvarchar(255), model nvarchar(255), note nvarchar(max))
CREATE TABLE salesitem (id int identity(1,1) primary key, salesid int, partnumber nvarchar(255), barcode nvarchar(255), modelnumber nvarchar(255), description nvarchar(255), price decimal(18,4), quantity decimal(18,4) DEFAULT 1, note nvarchar(max))
CREATE TABLE saleslabor (id int identity(1,1) primary key, salesid int, description nvarchar(255), charge decimal(18,4), quantity decimal(18,4) DEFAULT 1, note nvarchar(max))
CREATE TABLE payment (id int identity(1,1) primary key, salesid int, description nvarchar(255), amount decimal(18,4))
CREATE TABLE customer (id int identity(1,1) primary key, firstname nvarchar(255), lastname nvarchar(255), phone1 nvarchar(255), phone2 nvarchar(255), phone3 nvarchar(255), PreferPhone int, address1 nvarchar(255), address2 nvarchar(255), city nvarchar(255), state nvarchar(255), zipcode nvarchar(255), email nvarchar(255), created datetime2(0))
CREATE TABLE State (id int identity(1,1) primary key, code nvarchar(255))
CREATE TABLE product (id int identity(1,1) primary key, barcode nvarchar(255), category nvarchar(255), description nvarchar(255), cost decimal(18,4), msrp decimal(18,4), price decimal(18,4), modelnumber nvarchar(255), partnumber nvarchar(255), qoh decimal(18,4), gm decimal(18,4))
CREATE TABLE labor (id int identity(1,1) primary key, category nvarchar(255), description nvarchar(255), ours decimal(18,4), cog decimal(18,4))
CREATE TABLE employee (id int identity(1,1) primary key, firstname nvarchar(255), lastname nvarchar(255), pin nvarchar(255), title nvarchar(255), active int DEFAULT 1, role nvarchar(255), paynormal decimal(18,4))
CREATE TABLE TimeInOut (id int identity(1,1) primary key, employeeid int, timein datetime2(0), timeout datetime2(0), note nvarchar(max))
CREATE TABLE auditlog (id int identity(1,1) primary key, at datetime2(0), counter nvarchar(255), who nvarchar(255), action nvarchar(255), subject nvarchar(255), details nvarchar(max))
CREATE INDEX ix_salesitem_salesid ON salesitem (salesid)
CREATE INDEX ix_saleslabor_salesid ON saleslabor (salesid)
CREATE INDEX ix_payment_salesid ON payment (salesid)
CREATE INDEX ix_sales_customerid ON sales (customerid, saledate)
CREATE INDEX ix_sales_closedate ON sales (Closedate)
CREATE INDEX ix_product_barcode ON product (barcode)
CREATE INDEX ix_product_partnumber ON product (partnumber)
CREATE INDEX ix_salesitem_partnumber ON salesitem (partnumber)
CREATE INDEX ix_timeinout_employeeid ON TimeInOut (employeeid, timein)
CREATE INDEX ix_customer_name ON customer (lastname, firstname)
CREATE INDEX ix_auditlog_at ON auditlog (at, counter)
CREATE UNIQUE INDEX ux_timeinout_open ON TimeInOut (employeeid) WHERE timeout IS NULL AND employeeid IS NOT NULL
CREATE INDEX ix_customer_firstname ON customer (firstname)
CREATE INDEX ix_customer_phone1 ON customer (phone1)
CREATE TRIGGER auditlog_append_only ON auditlog INSTEAD OF UPDATE, DELETE AS THROW 51000, 'the audit log is only ever added to', 1
CREATE TABLE auditlog_no_truncate (auditid int NULL CONSTRAINT fk_auditlog_no_truncate REFERENCES auditlog (id))
CREATE VIEW vw_product_available AS SELECT p.id, p.barcode, p.category, p.description, p.cost, p.msrp, p.price, p.modelnumber, p.partnumber, p.qoh, p.gm, coalesce(r.reserve, 0) + coalesce(b.reserve, 0) AS reserve, coalesce(p.qoh, 0) - coalesce(r.reserve, 0) - coalesce(b.reserve, 0) AS available FROM product p LEFT JOIN (SELECT upper(rtrim(si.partnumber)) AS pn, sum(coalesce(si.quantity, 0)) AS reserve FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'OPEN' AND NOT (coalesce(rtrim(si.partnumber), '') = '') GROUP BY upper(rtrim(si.partnumber))) r ON r.pn = upper(rtrim(p.partnumber)) LEFT JOIN (SELECT x.productid, sum(x.quantity) AS reserve FROM (SELECT (SELECT min(px.id) FROM product px WHERE upper(rtrim(px.barcode)) = upper(rtrim(si.barcode)) AND upper(rtrim(si.barcode)) <> '') AS productid, coalesce(si.quantity, 0) AS quantity FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'OPEN' AND coalesce(rtrim(si.partnumber), '') = '') x GROUP BY x.productid) b ON b.productid = p.id
CREATE VIEW vw_sales_product AS SELECT si.id, si.salesid, si.modelnumber, si.partnumber, si.description, coalesce(si.quantity, 0) AS quantity, coalesce(si.quantity, 0) * coalesce(si.price, 0) AS totalsales, s.Closedate AS saledate, s.saledate AS ticketdate FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'CLOSE'
CREATE VIEW vw_salesreport_actualcash AS WITH t AS (SELECT s.id AS salesid, s.saledate AS SaleDate, s.Closedate AS CloseDate, s.customerid AS CustomerID, CAST(coalesce(pa.p, 0) AS decimal(28,8)) AS p, CAST(coalesce(la.l, 0) AS decimal(28,8)) AS l, CAST(CASE WHEN coalesce(s.TaxExempt, 0) = 1 THEN 0 ELSE 0.0825 END AS decimal(5,4)) AS rate, coalesce(pd.paid, 0) AS paid, coalesce(pd.cash, 0) AS cash, coalesce(pd.checks, 0) AS checks, coalesce(pd.charge, 0) AS charge FROM sales s OUTER APPLY (SELECT sum(coalesce(quantity, 0) * coalesce(price, 0)) AS p FROM salesitem WHERE salesid = s.id) pa OUTER APPLY (SELECT sum(coalesce(quantity, 0) * coalesce(charge, 0)) AS l FROM saleslabor WHERE salesid = s.id) la OUTER APPLY (SELECT sum(coalesce(amount, 0)) AS paid, sum(CASE WHEN upper(ltrim(rtrim(description))) = 'CASH' THEN coalesce(amount, 0) ELSE 0 END) AS cash, sum(CASE WHEN upper(ltrim(rtrim(description))) = 'CHECK' THEN coalesce(amount, 0) ELSE 0 END) AS checks, sum(CASE WHEN upper(ltrim(rtrim(description))) IN ('VISA','MASTERCARD','DISCOVER','AMERICAN EXPRESS') THEN coalesce(amount, 0) ELSE 0 END) AS charge FROM payment WHERE salesid = s.id) pd WHERE upper(ltrim(rtrim(s.status))) = 'CLOSE') SELECT salesid, SaleDate, CloseDate, CustomerID, round(p, 2) AS totalsales, round(l, 2) AS totallabor, round(l * 0.1, 2) AS shopfee, round((p + l * 1.1) * rate, 2) AS totaltax, round((p + l * 1.1) * CAST(1 + rate AS decimal(5,4)), 2) AS tickettotal, round(cash, 2) AS cash, round(checks, 2) AS checks, round(charge, 2) AS charge, round(paid, 2) AS payments FROM t
CREATE VIEW vw_EmployeeTime AS SELECT t.id AS timeid, t.employeeid AS id, t.timein, t.timeout, t.note, e.lastname, e.firstname, e.paynormal FROM TimeInOut t JOIN employee e ON e.id = t.employeeid
CREATE VIEW vw_employee AS SELECT id, lastname, firstname, title FROM employee WHERE coalesce(active, 1) <> 0
CREATE TABLE tessaly_info (name varchar(64) PRIMARY KEY, value varchar(64))
INSERT INTO tessaly_info (name, value) VALUES ('application', 'Tessaly')
INSERT INTO tessaly_info (name, value) VALUES ('schema_version', '6')
INSERT INTO State (code) VALUES ('AK'),('AL'),('AR'),('AZ'),('CA'),('CO'),('CT'),('DC'),('DE'),('FL'),('GA'),('HI'),('IA'),('ID'),('IL'),('IN'),('KS'),('KY'),('LA'),('MA'),('MD'),('ME'),('MI'),('MN'),('MO'),('MS'),('MT'),('NC'),('ND'),('NE'),('NH'),('NJ'),('NM'),('NV'),('NY'),('OH'),('OK'),('OR'),('PA'),('RI'),('SC'),('SD'),('TN'),('TX'),('UT'),('VA'),('VT'),('WA'),('WI'),('WV'),('WY')

-- Schema::UpgradeStep 2 (each its own batch, in one transaction)
DROP VIEW IF EXISTS vw_product_available
DROP VIEW IF EXISTS vw_sales_product
DROP VIEW IF EXISTS vw_salesreport_actualcash
DROP VIEW IF EXISTS vw_EmployeeTime
DROP VIEW IF EXISTS vw_employee
CREATE VIEW vw_product_available AS SELECT p.id, p.barcode, p.category, p.description, p.cost, p.msrp, p.price, p.modelnumber, p.partnumber, p.qoh, p.gm, coalesce(r.reserve, 0) + coalesce(b.reserve, 0) AS reserve, coalesce(p.qoh, 0) - coalesce(r.reserve, 0) - coalesce(b.reserve, 0) AS available FROM product p LEFT JOIN (SELECT upper(rtrim(si.partnumber)) AS pn, sum(coalesce(si.quantity, 0)) AS reserve FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'OPEN' AND NOT (coalesce(rtrim(si.partnumber), '') = '') GROUP BY upper(rtrim(si.partnumber))) r ON r.pn = upper(rtrim(p.partnumber)) LEFT JOIN (SELECT x.productid, sum(x.quantity) AS reserve FROM (SELECT (SELECT min(px.id) FROM product px WHERE upper(rtrim(px.barcode)) = upper(rtrim(si.barcode)) AND upper(rtrim(si.barcode)) <> '') AS productid, coalesce(si.quantity, 0) AS quantity FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'OPEN' AND coalesce(rtrim(si.partnumber), '') = '') x GROUP BY x.productid) b ON b.productid = p.id
CREATE VIEW vw_sales_product AS SELECT si.id, si.salesid, si.modelnumber, si.partnumber, si.description, coalesce(si.quantity, 0) AS quantity, coalesce(si.quantity, 0) * coalesce(si.price, 0) AS totalsales, s.Closedate AS saledate, s.saledate AS ticketdate FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'CLOSE'
CREATE VIEW vw_salesreport_actualcash AS WITH t AS (SELECT s.id AS salesid, s.saledate AS SaleDate, s.Closedate AS CloseDate, s.customerid AS CustomerID, CAST(coalesce(pa.p, 0) AS decimal(28,8)) AS p, CAST(coalesce(la.l, 0) AS decimal(28,8)) AS l, CAST(CASE WHEN coalesce(s.TaxExempt, 0) = 1 THEN 0 ELSE 0.0825 END AS decimal(5,4)) AS rate, coalesce(pd.paid, 0) AS paid, coalesce(pd.cash, 0) AS cash, coalesce(pd.checks, 0) AS checks, coalesce(pd.charge, 0) AS charge FROM sales s OUTER APPLY (SELECT sum(coalesce(quantity, 0) * coalesce(price, 0)) AS p FROM salesitem WHERE salesid = s.id) pa OUTER APPLY (SELECT sum(coalesce(quantity, 0) * coalesce(charge, 0)) AS l FROM saleslabor WHERE salesid = s.id) la OUTER APPLY (SELECT sum(coalesce(amount, 0)) AS paid, sum(CASE WHEN upper(ltrim(rtrim(description))) = 'CASH' THEN coalesce(amount, 0) ELSE 0 END) AS cash, sum(CASE WHEN upper(ltrim(rtrim(description))) = 'CHECK' THEN coalesce(amount, 0) ELSE 0 END) AS checks, sum(CASE WHEN upper(ltrim(rtrim(description))) IN ('VISA','MASTERCARD','DISCOVER','AMERICAN EXPRESS') THEN coalesce(amount, 0) ELSE 0 END) AS charge FROM payment WHERE salesid = s.id) pd WHERE upper(ltrim(rtrim(s.status))) = 'CLOSE') SELECT salesid, SaleDate, CloseDate, CustomerID, round(p, 2) AS totalsales, round(l, 2) AS totallabor, round(l * 0.1, 2) AS shopfee, round((p + l * 1.1) * rate, 2) AS totaltax, round((p + l * 1.1) * CAST(1 + rate AS decimal(5,4)), 2) AS tickettotal, round(cash, 2) AS cash, round(checks, 2) AS checks, round(charge, 2) AS charge, round(paid, 2) AS payments FROM t
CREATE VIEW vw_EmployeeTime AS SELECT t.id AS timeid, t.employeeid AS id, t.timein, t.timeout, t.note, e.lastname, e.firstname, e.paynormal FROM TimeInOut t JOIN employee e ON e.id = t.employeeid
CREATE VIEW vw_employee AS SELECT id, lastname, firstname, title FROM employee WHERE coalesce(active, 1) <> 0

-- Schema::UpgradeStep 3 (each its own batch, in one transaction)
ALTER TABLE customer ADD created datetime2(0)
CREATE UNIQUE INDEX ux_timeinout_open ON TimeInOut (employeeid) WHERE timeout IS NULL AND employeeid IS NOT NULL

-- Schema::UpgradeStep 4 (each its own batch, in one transaction)
CREATE TABLE auditlog (id int identity(1,1) primary key, at datetime2(0), counter nvarchar(255), who nvarchar(255), action nvarchar(255), subject nvarchar(255), details nvarchar(max))
CREATE INDEX ix_auditlog_at ON auditlog (at, counter)
CREATE TRIGGER auditlog_append_only ON auditlog INSTEAD OF UPDATE, DELETE AS THROW 51000, 'the audit log is only ever added to', 1

-- Schema::UpgradeStep 5 (each its own batch, in one transaction)
CREATE TABLE auditlog_no_truncate (auditid int NULL CONSTRAINT fk_auditlog_no_truncate REFERENCES auditlog (id))

-- Schema::UpgradeStep 6 (each its own batch, in one transaction)
CREATE INDEX ix_customer_firstname ON customer (firstname)
CREATE INDEX ix_customer_phone1 ON customer (phone1)

-- Schema::MarkerStatements
select 1 from information_schema.tables where table_schema = schema_name() and table_type = 'BASE TABLE' and table_name = ?
select 1 from information_schema.tables where table_schema = schema_name() and table_type = 'VIEW' and table_name = ?
select 1 from sys.indexes where name = ?
select value from tessaly_info where name = 'schema_version'
UPDATE tessaly_info SET value = ? WHERE name = 'schema_version'
INSERT INTO tessaly_info (name, value) VALUES ('schema_version', ?)
select t.employeeid, max(e.firstname) as firstname, max(e.lastname) as lastname, count(*) as openrows from TimeInOut t left join employee e on e.id = t.employeeid where t.timeout is null and t.employeeid is not null group by t.employeeid having count(*) > 1 order by t.employeeid
CREATE UNIQUE INDEX ux_timeinout_open ON TimeInOut (employeeid) WHERE timeout IS NULL AND employeeid IS NOT NULL
ALTER TABLE customer ADD created datetime2(0)
SELECT count(*) FROM tessaly_info WITH (TABLOCKX, HOLDLOCK)
SELECT * FROM sales WHERE 1 = 0
SELECT * FROM salesitem WHERE 1 = 0
SELECT * FROM saleslabor WHERE 1 = 0
SELECT * FROM payment WHERE 1 = 0
SELECT * FROM customer WHERE 1 = 0
SELECT * FROM State WHERE 1 = 0
SELECT * FROM product WHERE 1 = 0
SELECT * FROM labor WHERE 1 = 0
SELECT * FROM employee WHERE 1 = 0
SELECT * FROM TimeInOut WHERE 1 = 0
SELECT * FROM auditlog WHERE 1 = 0
SELECT * FROM vw_product_available WHERE 1 = 0
SELECT * FROM vw_sales_product WHERE 1 = 0
SELECT * FROM vw_salesreport_actualcash WHERE 1 = 0
SELECT * FROM vw_EmployeeTime WHERE 1 = 0
SELECT * FROM vw_employee WHERE 1 = 0

-- Dialect::beginTransaction
BEGIN TRANSACTION

-- Dialect::trimUpper(status)
upper(ltrim(rtrim(status)))

-- Dialect::textEquals(barcode)
barcode = ?

-- Dialect::textKey(partnumber)
partnumber

-- Dialect::textStartsWith(lastname)
lastname LIKE ? ESCAPE '!'

-- Dialect::textContains(description)
description LIKE ? ESCAPE '!'

-- Dialect::orderText(lastname)
lastname

-- Dialect::outerApply(SELECT 1 AS one, pa)
OUTER APPLY (SELECT 1 AS one) pa

-- Dialect::insertReturningId(sales, no columns)
insert into sales output inserted.id default values

-- Dialect::insertReturningId(TimeInOut, employeeid, timein)
insert into TimeInOut (employeeid,timein) output inserted.id values (?,?)

-- Dialect::insertReturningId(TimeInOut, employeeid, timein, timeout)
insert into TimeInOut (employeeid,timein,timeout) output inserted.id values (?,?,?)

-- Dialect::insertReturningId(customer, firstname, created)
insert into customer (firstname,created) output inserted.id values (?,?)

-- Dialect::insertReturningId(employee, firstname, lastname, pin)
insert into employee (firstname,lastname,pin) output inserted.id values (?,?,?)

-- Dialect::insertReturningId(labor, category, description)
insert into labor (category,description) output inserted.id values (?,?)

-- Dialect::insertReturningId(payment, salesid, description, amount)
insert into payment (salesid,description,amount) output inserted.id values (?,?,?)

-- Dialect::insertReturningId(product, barcode, category, description, cost, msrp, price, modelnumber, partnumber, qoh, gm)
insert into product (barcode,category,description,cost,msrp,price,modelnumber,partnumber,qoh,gm) output inserted.id values (?,?,?,?,?,?,?,?,?,?)

-- Dialect::insertReturningId(sales, customerid, saledate, status)
insert into sales (customerid,saledate,status) output inserted.id values (?,?,?)

-- Dialect::insertReturningId(salesitem, salesid, partnumber, barcode, modelnumber, description, price)
insert into salesitem (salesid,partnumber,barcode,modelnumber,description,price) output inserted.id values (?,?,?,?,?,?)

-- Dialect::insertReturningId(saleslabor, salesid, description, charge)
insert into saleslabor (salesid,description,charge) output inserted.id values (?,?,?)
