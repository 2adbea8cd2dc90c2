<!--#include virtual="comune.inc"-->
<%
// The checkout data: the buyer, a consignee when the goods go elsewhere,
// and the payment. A logged-in customer finds his data filled in; a form
// with a fault comes back with what was typed and the reason.
var ordine = Server.CreateObject("QTR50.Ordine");
ordine.SetConn(generale.Conn);
var esito = -1;
if (String(Request.ServerVariables("REQUEST_METHOD")) === "POST") {
    esito = ordine.ControlloDatiPersonali();
    if (esito == 1)
        Response.Redirect("/carrello.asp");
} else {
    ordine.AzzeraDatiPersonali();
}
var paginaCorrente = "/datiordine.asp";
var titoloPagina = T("PMTDATIORDINE", "Dati per l'ordine");

function Campo(nome, codice, etichetta, lunghezza, obbligatorio) {
    var testo = H(T(codice, etichetta)) + (obbligatorio ? " *" : "");
    return "<label for=\"" + nome + "\">" + testo + "</label>" +
           "<input type=\"text\" id=\"" + nome + "\" name=\"" + nome + "\" maxlength=\"" + lunghezza + "\" value=\"" +
           H(ordine[nome]) + "\">";
}

var pagamenti = [
    { valore: "Bonifico", codice: "PMTBONIFICO", testo: "Bonifico bancario" },
    { valore: "CCPostale", codice: "PMTCCPOSTALE", testo: "Conto corrente postale" },
    { valore: "Contrassegno", codice: "PMTCONTRASSEGNO", testo: "Contrassegno" },
    { valore: "CartaCredito", codice: "PMTCARTACREDITO", testo: "Carta di credito" }
];
%>
<!--#include virtual="testa.inc"-->
<section class="sezione dati-ordine">
  <h1><%= H(T("PMTDATIORDINE", "Dati per l'ordine")) %></h1>
<% if (esito == 0) { %>
  <p class="messaggio ok" role="status" id="dati-accettati"><%= H(T("MSGDATIACCETTATI", "Grazie, i tuoi dati sono stati registrati.")) %></p>
  <p>
    <a class="bottone" id="vai-conferma" href="/confermaordine.asp"><%= H(T("PMTRIEPILOGOORDINE", "Riepilogo dell'ordine")) %></a>
    <a class="togli" href="/datiordine.asp"><%= H(T("PMTMODIFICADATI", "Modifica i dati")) %></a>
  </p>
<% } else { %>
<%   if (String(ordine.Errore) !== "") { %>
  <p class="messaggio errore" role="alert" id="errore-dati"><%= H(ordine.Errore) %></p>
<%   } %>
  <form class="modulo" method="post" action="/datiordine.asp" id="modulo-dati">
    <fieldset>
      <legend><%= H(T("PMTACQUIRENTE", "Acquirente")) %></legend>
      <%= Campo("RagioneSociale", "PMTRAGIONESOCIALE", "Ragione sociale", 50, false) %>
      <%= Campo("Cognome", "PMTCOGNOME", "Cognome", 50, true) %>
      <%= Campo("Nome", "PMTNOME", "Nome", 50, false) %>
      <%= Campo("Indirizzo", "PMTINDIRIZZO", "Indirizzo", 80, true) %>
      <%= Campo("Cap", "PMTCAP", "CAP", 20, true) %>
      <%= Campo("Localita", "PMTLOCALITA", "Località", 80, true) %>
      <%= Campo("Provincia", "PMTPROVINCIA", "Provincia", 20, true) %>
      <%= Campo("Stato", "PMTSTATO", "Stato", 30, true) %>
      <%= Campo("Telefono", "PMTTELEFONO", "Telefono", 20, false) %>
      <%= Campo("Email", "PMTEMAIL", "E-mail", 80, true) %>
      <%= Campo("CFPI", "PMTCFPI", "Codice fiscale o partita IVA", 16, false) %>
    </fieldset>
    <fieldset>
      <legend><%= H(T("PMTDESTINATARIO", "Destinatario, se diverso dall'acquirente")) %></legend>
      <%= Campo("D_RagioneSociale", "PMTRAGIONESOCIALE", "Ragione sociale", 50, false) %>
      <%= Campo("D_Cognome", "PMTCOGNOME", "Cognome", 50, false) %>
      <%= Campo("D_Nome", "PMTNOME", "Nome", 50, false) %>
      <%= Campo("D_Indirizzo", "PMTINDIRIZZO", "Indirizzo", 80, false) %>
      <%= Campo("D_Cap", "PMTCAP", "CAP", 20, false) %>
      <%= Campo("D_Localita", "PMTLOCALITA", "Località", 80, false) %>
      <%= Campo("D_Provincia", "PMTPROVINCIA", "Provincia", 20, false) %>
      <%= Campo("D_Stato", "PMTSTATO", "Stato", 30, false) %>
    </fieldset>
    <fieldset>
      <legend><%= H(T("PMTPAGAMENTO", "Pagamento")) %> *</legend>
<%   for (var p = 0; p < pagamenti.length; ++p) {
         if (!ordine.PagamentoAmmesso(pagamenti[p].valore))
             continue; %>
      <label class="scelta"><input type="radio" name="TipoPagamento" value="<%= pagamenti[p].valore %>"<%= String(ordine.TipoPagamento) === pagamenti[p].valore ? " checked" : "" %>> <%= H(T(pagamenti[p].codice, pagamenti[p].testo)) %></label>
<%   } %>
    </fieldset>
    <label for="Note"><%= H(T("PMTNOTE", "Note")) %></label>
    <textarea id="Note" name="Note" rows="3" maxlength="2000"><%= H(ordine.Note) %></textarea>
    <p>
      <button class="bottone" type="submit" name="Submit" value="Conferma" id="conferma-dati"><%= H(T("PMTCONFERMA", "Conferma")) %></button>
      <button class="bottone" type="submit" name="Submit" value="Annulla" id="annulla-dati" formnovalidate><%= H(T("PMTANNULLA", "Annulla")) %></button>
    </p>
  </form>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
