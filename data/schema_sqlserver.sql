-- Tessaly schema for SQL Server (reached through ODBC / FreeTDS).
-- The program creates the same itself on a catalog that has no "sales" table;
-- this script is for a catalog made by hand: sqlcmd -S HOST -d Tessaly -i schema_sqlserver.sql
-- Written from data/Schema.cpp by test_data (TESSALY_REGENERATE=1); edit that, not this.
-- The program relies on the catalog's collation comparing text without regard to case.
CREATE TABLE sales (id int identity(1,1) primary key, customerid int, saledate datetime2(0), status nvarchar(255), Closedate datetime2(0), TaxExempt int, year nvarchar(255), make nvarchar(255), model nvarchar(255), note nvarchar(max))
GO
CREATE TABLE salesitem (id int identity(1,1) primary key, salesid int, partnumber nvarchar(255), barcode nvarchar(255), modelnumber nvarchar(255), description nvarchar(255), price decimal(18,4), quantity decimal(18,4) DEFAULT 1, note nvarchar(max))
GO
CREATE TABLE saleslabor (id int identity(1,1) primary key, salesid int, description nvarchar(255), charge decimal(18,4), quantity decimal(18,4) DEFAULT 1, note nvarchar(max))
GO
CREATE TABLE payment (id int identity(1,1) primary key, salesid int, description nvarchar(255), amount decimal(18,4))
GO
CREATE TABLE customer (id int identity(1,1) primary key, firstname nvarchar(255), lastname nvarchar(255), phone1 nvarchar(255), phone2 nvarchar(255), phone3 nvarchar(255), PreferPhone int, address1 nvarchar(255), address2 nvarchar(255), city nvarchar(255), state nvarchar(255), zipcode nvarchar(255), email nvarchar(255), created datetime2(0))
GO
CREATE TABLE State (id int identity(1,1) primary key, code nvarchar(255))
GO
CREATE TABLE product (id int identity(1,1) primary key, barcode nvarchar(255), category nvarchar(255), description nvarchar(255), cost decimal(18,4), msrp decimal(18,4), price decimal(18,4), modelnumber nvarchar(255), partnumber nvarchar(255), qoh decimal(18,4), gm decimal(18,4))
GO
CREATE TABLE labor (id int identity(1,1) primary key, category nvarchar(255), description nvarchar(255), ours decimal(18,4), cog decimal(18,4))
GO
CREATE TABLE employee (id int identity(1,1) primary key, firstname nvarchar(255), lastname nvarchar(255), pin nvarchar(255), title nvarchar(255), active int DEFAULT 1, role nvarchar(255), paynormal decimal(18,4))
GO
CREATE TABLE TimeInOut (id int identity(1,1) primary key, employeeid int, timein datetime2(0), timeout datetime2(0), note nvarchar(max))
GO
CREATE TABLE auditlog (id int identity(1,1) primary key, at datetime2(0), counter nvarchar(255), who nvarchar(255), action nvarchar(255), subject nvarchar(255), details nvarchar(max))
GO
CREATE INDEX ix_salesitem_salesid ON salesitem (salesid)
GO
CREATE INDEX ix_saleslabor_salesid ON saleslabor (salesid)
GO
CREATE INDEX ix_payment_salesid ON payment (salesid)
GO
CREATE INDEX ix_sales_customerid ON sales (customerid, saledate)
GO
CREATE INDEX ix_sales_closedate ON sales (Closedate)
GO
CREATE INDEX ix_product_barcode ON product (barcode)
GO
CREATE INDEX ix_product_partnumber ON product (partnumber)
GO
CREATE INDEX ix_salesitem_partnumber ON salesitem (partnumber)
GO
CREATE INDEX ix_timeinout_employeeid ON TimeInOut (employeeid, timein)
GO
CREATE INDEX ix_customer_name ON customer (lastname, firstname)
GO
CREATE INDEX ix_auditlog_at ON auditlog (at, counter)
GO
CREATE UNIQUE INDEX ux_timeinout_open ON TimeInOut (employeeid) WHERE timeout IS NULL AND employeeid IS NOT NULL
GO
CREATE INDEX ix_customer_firstname ON customer (firstname)
GO
CREATE INDEX ix_customer_phone1 ON customer (phone1)
GO
CREATE TRIGGER auditlog_append_only ON auditlog INSTEAD OF UPDATE, DELETE AS THROW 51000, 'the audit log is only ever added to', 1
GO
CREATE TABLE auditlog_no_truncate (auditid int NULL CONSTRAINT fk_auditlog_no_truncate REFERENCES auditlog (id))
GO
CREATE VIEW vw_product_available AS SELECT p.id, p.barcode, p.category, p.description, p.cost, p.msrp, p.price, p.modelnumber, p.partnumber, p.qoh, p.gm, coalesce(r.reserve, 0) + coalesce(b.reserve, 0) AS reserve, coalesce(p.qoh, 0) - coalesce(r.reserve, 0) - coalesce(b.reserve, 0) AS available FROM product p LEFT JOIN (SELECT upper(rtrim(si.partnumber)) AS pn, sum(coalesce(si.quantity, 0)) AS reserve FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'OPEN' AND NOT (coalesce(rtrim(si.partnumber), '') = '') GROUP BY upper(rtrim(si.partnumber))) r ON r.pn = upper(rtrim(p.partnumber)) LEFT JOIN (SELECT x.productid, sum(x.quantity) AS reserve FROM (SELECT (SELECT min(px.id) FROM product px WHERE upper(rtrim(px.barcode)) = upper(rtrim(si.barcode)) AND upper(rtrim(si.barcode)) <> '') AS productid, coalesce(si.quantity, 0) AS quantity FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'OPEN' AND coalesce(rtrim(si.partnumber), '') = '') x GROUP BY x.productid) b ON b.productid = p.id
GO
CREATE VIEW vw_sales_product AS SELECT si.id, si.salesid, si.modelnumber, si.partnumber, si.description, coalesce(si.quantity, 0) AS quantity, coalesce(si.quantity, 0) * coalesce(si.price, 0) AS totalsales, s.Closedate AS saledate, s.saledate AS ticketdate FROM salesitem si JOIN sales s ON s.id = si.salesid WHERE upper(ltrim(rtrim(s.status))) = 'CLOSE'
GO
CREATE VIEW vw_salesreport_actualcash AS WITH t AS (SELECT s.id AS salesid, s.saledate AS SaleDate, s.Closedate AS CloseDate, s.customerid AS CustomerID, CAST(coalesce(pa.p, 0) AS decimal(28,8)) AS p, CAST(coalesce(la.l, 0) AS decimal(28,8)) AS l, CAST(CASE WHEN coalesce(s.TaxExempt, 0) = 1 THEN 0 ELSE 0.0825 END AS decimal(5,4)) AS rate, coalesce(pd.paid, 0) AS paid, coalesce(pd.cash, 0) AS cash, coalesce(pd.checks, 0) AS checks, coalesce(pd.charge, 0) AS charge FROM sales s OUTER APPLY (SELECT sum(coalesce(quantity, 0) * coalesce(price, 0)) AS p FROM salesitem WHERE salesid = s.id) pa OUTER APPLY (SELECT sum(coalesce(quantity, 0) * coalesce(charge, 0)) AS l FROM saleslabor WHERE salesid = s.id) la OUTER APPLY (SELECT sum(coalesce(amount, 0)) AS paid, sum(CASE WHEN upper(ltrim(rtrim(description))) = 'CASH' THEN coalesce(amount, 0) ELSE 0 END) AS cash, sum(CASE WHEN upper(ltrim(rtrim(description))) = 'CHECK' THEN coalesce(amount, 0) ELSE 0 END) AS checks, sum(CASE WHEN upper(ltrim(rtrim(description))) IN ('VISA','MASTERCARD','DISCOVER','AMERICAN EXPRESS') THEN coalesce(amount, 0) ELSE 0 END) AS charge FROM payment WHERE salesid = s.id) pd WHERE upper(ltrim(rtrim(s.status))) = 'CLOSE') SELECT salesid, SaleDate, CloseDate, CustomerID, round(p, 2) AS totalsales, round(l, 2) AS totallabor, round(l * 0.1, 2) AS shopfee, round((p + l * 1.1) * rate, 2) AS totaltax, round((p + l * 1.1) * CAST(1 + rate AS decimal(5,4)), 2) AS tickettotal, round(cash, 2) AS cash, round(checks, 2) AS checks, round(charge, 2) AS charge, round(paid, 2) AS payments FROM t
GO
CREATE VIEW vw_EmployeeTime AS SELECT t.id AS timeid, t.employeeid AS id, t.timein, t.timeout, t.note, e.lastname, e.firstname, e.paynormal FROM TimeInOut t JOIN employee e ON e.id = t.employeeid
GO
CREATE VIEW vw_employee AS SELECT id, lastname, firstname, title FROM employee WHERE coalesce(active, 1) <> 0
GO
CREATE TABLE tessaly_info (name varchar(64) PRIMARY KEY, value varchar(64))
GO
INSERT INTO tessaly_info (name, value) VALUES ('application', 'Tessaly')
GO
INSERT INTO tessaly_info (name, value) VALUES ('schema_version', '6')
GO
INSERT INTO State (code) VALUES ('AK'),('AL'),('AR'),('AZ'),('CA'),('CO'),('CT'),('DC'),('DE'),('FL'),('GA'),('HI'),('IA'),('ID'),('IL'),('IN'),('KS'),('KY'),('LA'),('MA'),('MD'),('ME'),('MI'),('MN'),('MO'),('MS'),('MT'),('NC'),('ND'),('NE'),('NH'),('NJ'),('NM'),('NV'),('NY'),('OH'),('OK'),('OR'),('PA'),('RI'),('SC'),('SD'),('TN'),('TX'),('UT'),('VA'),('VT'),('WA'),('WI'),('WV'),('WY')
GO
